-- The rod stands still while the scene is held: an exit hint of the second
-- visit shown during a bite's run, or during the wait at the top of a cast,
-- leaves float and wait where they were however long it stays open; once it
-- is closed the game goes on. A game saved while the rod comes down or
-- rises for a cast goes on, once loaded, to where that move leads: home, or
-- the top of the cast and the drop.

local fishing = require("lib.fishing")
local demo = require("lib.demo")

local function same(a, b, what)
  for _, name in ipairs({"state", "substate", "rod_state", "rod_x", "rod_y", "wait_time"}) do
    assert(a[name] == b[name], what .. ": " .. name .. " " .. tostring(a[name]) .. " then " .. tostring(b[name]))
  end
end

-- The first visit's done loses; the second's only hints.
fishing.enter()
fishing.done()
demo.wait_active("pier")
go("pier_fishing")

-- A bite that runs or drifts the float sideways.
local moving = false
for _ = 1, 30 do
  fishing.cast()
  tick_until(function() return minigame().state ~= 3 end, 2000, "a bite or the rod home")
  local m = minigame()
  if m.state == 4 and (m.substate == 1 or m.substate == 2 or m.substate == 4 or m.substate == 5) then
    moving = true
    break
  end
  if m.state == 3 or m.state == 4 then fishing.strike() end
end
assert(moving, "no moving bite in thirty casts")

for _, case in ipairs({"a bite's run", "the top of a cast"}) do
  if case == "the top of a cast" then
    fishing.strike()
    click(300, 350)
    tick_until(function() return minigame().wait_time == 20 end, 100, "the wait at the top")
  end
  local before = minigame()
  fishing.done()
  tick(2)
  assert(window("hint") == "shown" and select(4, scene()), "the hint holds the scene")
  tick(1500)
  same(before, minigame(), case)
  demo.close_hints()
  local after = minigame()
  assert(after.rod_x ~= before.rod_x or after.wait_time ~= before.wait_time or after.state ~= before.state,
    case .. " goes on once the hint is closed")
end

-- Saved while the rod moves, loaded, and watched to where the move ends.
-- The rod comes down from above after the fade-in of the entry.
fishing.wait_state(3, 4)
fishing.strike()
go("pier")
go("pier_fishing")
tick_until(function() return minigame().rod_y >= 0 end, 100, "the rod coming down")
local m = minigame()
assert(m.state == 0 and m.substate == 7, m.state .. "/" .. m.substate)
key("t")
key("x")
demo.wait_active("pier_fishing")
fishing.wait_home()
m = minigame()
assert(m.rod_x == 400 and m.rod_y == 300, "home at " .. m.rod_x .. "," .. m.rod_y)
move(780, 120)
tick(1)
assert(fishing.float_seen())

click(300, 350)
tick(3)
m = minigame()
assert(m.state == 0 and m.substate == 8 and m.rod_y == 180, m.rod_y)
key("t")
key("x")
demo.wait_active("pier_fishing")
tick_until(function() return minigame().wait_time >= 1 end, 100, "the top of the cast")
assert(minigame().rod_y == -100, "the top at " .. minigame().rod_y)
fishing.wait_state(1)
m = minigame()
assert(m.rod_x == 300 and m.rod_y == 400, "the drop at " .. m.rod_x .. "," .. m.rod_y)
