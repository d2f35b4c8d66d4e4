-- Steps shared by the fishing scenarios, on the demo's pier_fishing: the
-- water is (100,260)-(700,440), the float rests at y 400, the rod's home is
-- (400,300).
local demo = require("lib.demo")
local fishing = {}

-- A new game, then the fishing game, on screen and playing.
function fishing.enter()
  demo.start_new_game()
  go("pier_fishing")
end

-- Until the rod is home and still (rod state 0, substate 0).
function fishing.wait_home()
  tick_until(function()
    local m = minigame()
    return m.state == 0 and m.substate == 0
  end, 400, "the rod at home")
end

-- Until the rod state is one of the given.
function fishing.wait_state(...)
  local wanted = {...}
  tick_until(function()
    local s = minigame().state
    for _, w in ipairs(wanted) do
      if s == w then return true end
    end
    return false
  end, 2000, "rod state " .. table.concat(wanted, " or "))
end

-- The fishing basket's items as one string: "fishing_carp,-,-" (- empty).
function fishing.basket()
  return require("lib.panel").row(panel().fishing.items)
end

-- Whether the float is drawn where the game holds it: its 40 by 40 frame,
-- from the rod's place, lies on the water above the panel (y 240 to 500)
-- and some of its pixels are not the water's. Keep the pointer away (it is
-- drawn too) and tick once after a move, so the frame read is current.
function fishing.float_seen(m)
  m = m or minigame()
  local x0, y0 = m.rod_x, m.rod_y
  if y0 < 240 or y0 + 40 > 500 or x0 < 0 or x0 + 40 > 800 then
    return false, "the float's frame at " .. x0 .. "," .. y0 .. " is off the water"
  end
  for y = y0, y0 + 39, 2 do
    for x = x0, x0 + 39, 2 do
      local r, g, b = pixel(x, y)
      -- pier_fishing.png's water is #2a5878
      if math.abs(r - 0x2a) + math.abs(g - 0x58) + math.abs(b - 0x78) > 30 then return true end
    end
  end
  return false, "only water at the float's frame " .. x0 .. "," .. y0
end

-- The panel's done and clear buttons, clicked.
function fishing.done()
  demo.click_on("btn_done")
end

function fishing.clear()
  demo.click_on("btn_clear")
end

-- From home: a cast at (x, y), then until the float rests or bites.
function fishing.cast(x, y)
  fishing.wait_home()
  click(x or 300, y or 350)
  fishing.wait_state(3, 4)
end

-- A strike, then until the rod is home again with whatever was caught.
function fishing.strike()
  click(400, 300)
  assert(minigame().state == 6, "the strike")
  fishing.wait_home()
end

-- Casts until the float rests (rod state 3), a bite or none before it, and
-- strikes it there: true, the game as the strike left it, the sound it
-- played and how many it played; the rod is home again after. False after
-- twenty casts that never let the float rest (a foul brings the rod home).
function fishing.strike_resting()
  for _ = 1, 20 do
    if panel().fishing.items[#panel().fishing.items] then fishing.clear() end -- a full basket refuses casts
    fishing.cast()
    tick_until(function()
      local s = minigame().state
      return s == 3 or s == 0
    end, 2000, "a resting float or the rod home")
    if minigame().state == 3 then
      local before = #sounds()
      click(400, 300)
      local m = minigame()
      local played = sounds()
      fishing.wait_home()
      return true, m, played[before + 1], #played - before
    end
  end
  return false
end

-- Casts until the key fish is in the basket, emptying a full basket and
-- striking at every bite; false if a hundred and fifty casts bring no key
-- fish (one cast in ten or so brings it).
function fishing.until_key()
  for _ = 1, 150 do
    if minigame().key == 1 then return true end
    if panel().fishing.items[#panel().fishing.items] then fishing.clear() end
    fishing.cast()
    if minigame().state == 3 then
      click(400, 300)
      fishing.wait_home()
    else
      fishing.wait_state(4)
      fishing.strike()
    end
  end
  return minigame().key == 1
end

return fishing
