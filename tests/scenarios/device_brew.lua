-- Brewing health in the laboratory's still. Water from the crypt's flask,
-- the herb and the bark, then done: the rules hear "potion_ready" for
-- health, both ingredients go back to their shelves, the panel slides out
-- along its path in reverse. The smoke runs 20 ticks, so the potion's three
-- pictures (10 ticks apart) start on the 21st, and the potion is ready with
-- the last picture: not a tick earlier can it be drawn off. The empty flask
-- takes it as finished health; the pictures fade for 60 ticks before the
-- still takes anything again. A second brew, from the bucket, fills a
-- bottle, which becomes a tonic.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

-- The potion's pictures, 40 by 60 at (520, 290), fill their glass from 57
-- up to 42, 26 and 10: one point inside each only, from the lowest.
local pictures = {{540, 340}, {540, 320}, {540, 305}}
local function shown()
  local n = 0
  for i, p in ipairs(pictures) do
    local r, g = pixel(p[1], p[2])
    if r > 150 and g < 100 then n = i end
  end
  return n
end

local function count(text, word)
  return select(2, text:gsub(word, ""))
end

-- Water, herb and bark into the still, then done; returns the events of
-- the done press. `liquid` pours the water from the hand.
local function brew(liquid)
  liquid()
  tick(20) -- the panel slides in
  for _, name in ipairs({"herb", "bark"}) do
    lab.click(name)
    assert(held() == name, name)
    lab.click("device")
    tick(16) -- falls and fades in
  end
  assert(lab.panel_y() == 0, "the panel shown")
  local seen = #events()
  game_lua("onDoneClick()")
  return demo.events_since(seen)
end

lab.to_crypt()
lab.click("flask")
lab.click("cistern")
assert(item("flask") == "flask_water")
lab.enter_from_crypt(true)

local done = brew(function()
  lab.click("device")
  assert(item("flask") == "flask_empty", "poured out")
  pn.click_cell(0) -- kept in the game panel
end)
assert(done:find("potion_ready health", 1, true), done)
assert(count(done, "item_scene_return") == 2, done)
assert(done:find("item_scene_return herb", 1, true) and done:find("item_scene_return bark", 1, true), done)
for _, name in ipairs({"herb", "bark"}) do
  local _, look = item(name)
  assert(look == "stScene", name .. " back on its shelf: " .. tostring(look))
end

-- The panel slides out through its five points in reverse.
local path = {}
for i = 1, 4 do
  tick(1)
  path[i] = lab.panel_y()
end
assert(table.concat(path, ",") == "60,120,180,240", table.concat(path, ","))

-- 4 of the 21 + 30 ticks have passed; one short of ready, the flask takes
-- nothing.
tick(21 + 29 - 4)
assert(shown() == 2, "two pictures so far: " .. shown())
pn.click_cell(0)
assert(held() == "flask" and item("flask") == "flask_empty")
lab.click("device")
assert(item("flask") == "flask_empty", "not ready yet")
tick(1)
assert(shown() == 3, "all three pictures: " .. shown())
local seen = #events()
lab.click("device")
assert(item("flask") == "flask_health_complete", "drawn off")
local drawn = demo.events_since(seen)
assert(drawn:find("potion_create flask_health_complete", 1, true), drawn)
pn.click_cell(0)

-- The pictures fade out for 60 ticks; until then the still takes nothing.
tick(59)
give("bucket_water")
local heard = #sounds()
lab.click("device")
assert(held() == "bucket_water" and #sounds() == heard, "still fading")
tick(1)
assert(shown() == 0, "the pictures gone")

-- The second brew: the bucket's water, the same herb and bark, a bottle.
done = brew(function()
  lab.click("device")
  assert(held() == "bucket", "the bucket poured out")
  give("bottle") -- in place of the bucket
  pn.click_cell(1)
end)
assert(done:find("potion_ready health", 1, true), done)
tick(21 + 30)
assert(shown() == 3)
pn.click_cell(1)
assert(held() == "bottle")
lab.click("device")
assert(held() == "tonic", "the bottle became a tonic: " .. tostring(held()))
