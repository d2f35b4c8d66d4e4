-- Steps shared by the scenarios that play the demo's laboratory: a new game,
-- down through the cellar and the crypt, and the screen points of the
-- laboratory's things and of its device's panel.
local demo = require("lib.demo")
local pn = require("lib.panel")

local lab = {}

lab.at = {
  device = {400, 260},
  herb = {160, 220},
  bark = {220, 220},
  matches = {150, 340},
  feather = {220, 320},
  floor = {700, 520},
  -- The crypt's flask and cistern, on the way.
  flask = {495, 475},
  cistern = {700, 320},
}

-- The centre of the device panel's cell i (from 1), once the panel is shown.
function lab.cell(i)
  return 263 + (i - 1) * 75 + 30, 422
end

-- A point of the liquid's glass in the panel: blue once the liquid shows.
lab.glass = {237, 445}

function lab.click(name)
  local p = lab.at[name]
  click(p[1], p[2])
end

function lab.click_cell(i)
  click(lab.cell(i))
end

-- The panel's top edge on the screen: 0 when shown, 240 when hidden.
function lab.panel_y()
  return select(2, window_rect("alchemical_device_panel"))
end

-- From the main menu's first frame to the crypt, playing.
function lab.to_crypt()
  demo.start_new_game()
  click(180, 485) -- the trapdoor
  demo.wait_active("cellar")
  click(730, 230) -- the door to the crypt
  demo.wait_active("crypt")
end

-- From the crypt into the laboratory; with `lit` the device is lit first, as
-- a match would light it.
function lab.enter_from_crypt(lit)
  if lit then set_flag("device_lit", "true") end
  click(780, 300)
  demo.wait_active("lab")
end

-- A new game walked into the laboratory.
function lab.enter(lit)
  lab.to_crypt()
  lab.enter_from_crypt(lit)
end

-- Whether the pixel is mostly blue (the liquid).
function lab.blue(x, y)
  local r, g, b = pixel(x, y)
  return b > 150 and r < 100
end

-- Holds `name` and clicks the device with it.
function lab.put(name)
  if name then give(name) end
  lab.click("device")
end

-- Takes `name` from its shelf (or is given it when it has no place here),
-- drops it into the device, waits for its fall and fade, and closes the
-- hints taking it told.
function lab.drop(name)
  if lab.at[name] then lab.click(name) else give(name) end
  assert(held() == name, "holding " .. name)
  lab.click("device")
  tick(16)
  assert(held() == nil, name .. " went in")
  demo.close_hints()
end

-- A bucket of water poured into the still; the empty bucket goes into the
-- game panel's cell `cell`.
function lab.pour(cell)
  give("bucket_water")
  lab.click("device")
  assert(held() == "bucket", "poured: " .. tostring(held()))
  pn.click_cell(cell)
  tick(20)
  assert(lab.blue(unpack(lab.glass)), "the water is in")
end

return lab
