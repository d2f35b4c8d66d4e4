-- Brews that give nothing. Done on the empty still does nothing at all: no
-- sound, no hint, no event, the panel stays down. Water, herb and feather
-- match no recipe: done gives both back to their shelves, pours the water
-- away, slides the panel out, plays the failed done sound and puffs the
-- failed smoke over the still. Water, herb and bark brew health; clear on
-- the ready potion plays the clear sound and fades its pictures out over 60
-- heartbeats, after which the still takes water again.

local demo = require("lib.demo")
local lab = require("lib.lab")

-- The summed brightness of the frame around (x, y).
local function brightness(x, y)
  local sum = 0
  for dy = -20, 20, 4 do
    for dx = -30, 30, 4 do
      local r, g, b = pixel(x + dx, y + dy)
      sum = sum + r + g + b
    end
  end
  return sum
end

local function done_does_nothing(what)
  local heard, seen = #sounds(), #events()
  game_lua("onDoneClick()")
  tick(20)
  assert(#sounds() == heard, what .. ": a sound " .. tostring(sounds()[heard + 1]))
  assert(#events() == seen, what .. ": " .. demo.events_since(seen))
  assert(window("hint") == nil, what .. ": a hint")
  assert(lab.panel_y() == 240, what .. ": the panel came up")
end

lab.enter(true)
move(600, 100)
tick(1)
done_does_nothing("empty")

-- No recipe: everything back, the failed smoke.
lab.pour(0)
lab.drop("herb")
lab.drop("feather")
move(600, 100)
tick(1)
local calm = brightness(400, 150)
local heard, seen = #sounds(), #events()
game_lua("onDoneClick()")
assert(sounds()[heard + 1] == "sounds/device_failed.wav", tostring(sounds()[heard + 1]))
local told = demo.events_since(seen)
assert(not told:find("potion_ready", 1, true), told)
assert(told:find("item_scene_return herb", 1, true) and told:find("item_scene_return feather", 1, true), told)
local smoked = false
for _ = 1, 30 do
  tick(1)
  smoked = smoked or brightness(400, 150) > calm + 3000
end
assert(smoked, "the failed smoke")
for name, at in pairs({herb = {140, 200}, feather = {200, 300}}) do
  local _, state, alpha, x, y = item(name)
  assert(state == "stScene" and alpha == 1 and x == at[1] and y == at[2], name .. " back on its shelf")
end
assert(lab.panel_y() == 240, "the panel slid out")
assert(not lab.blue(unpack(lab.glass)), "the water is poured away")
assert(window("hint") == nil)
done_does_nothing("emptied by the failure")

-- Health brewed, then cleared while it waits.
lab.pour(1)
lab.drop("herb")
lab.drop("bark")
move(600, 100)
game_lua("onDoneClick()")
tick(60)
local potion = {540, 330}
local function red() return (pixel(unpack(potion))) end
assert(red() == 200, "the potion is ready: " .. red())
heard = #sounds()
game_lua("onClearClick()")
assert(sounds()[heard + 1] == "sounds/device_clear.wav", tostring(sounds()[heard + 1]))
local last = red()
for t = 1, 59 do
  tick(1)
  assert(red() <= last and red() > 64, "fading at " .. t .. ": " .. red())
  last = red()
end
assert(last < 100, "nearly gone: " .. last)
tick(1)
assert(red() == 64, "faded out: " .. red())
-- Idle again: it takes water.
lab.pour(2)
