-- The pointer's look follows what lies under it, whatever it came from:
-- moved from the inventory strip straight onto the living room's door it
-- shows the door's boots at once, and keeps them while it moves over it.
local demo = require("lib.demo")

demo.start_new_game()
demo.close_hints()
assert(scene() == "living_room")

local door = {680, 300}
for _, from in ipairs({{450, 560}, {288, 550}, {358, 550}, {568, 550}}) do
  local where = from[1] .. "," .. from[2]
  move(400, 200) -- the room's floor
  tick(1)
  move(from[1], from[2])
  tick(1)
  assert(pointer() == "stNormal", "over the strip at " .. where .. ": " .. pointer())
  move(door[1], door[2])
  tick(1)
  assert(pointer() == "stBoots", "onto the door from " .. where .. ": " .. pointer())
  move(door[1] + 4, door[2] + 4)
  tick(1)
  assert(pointer() == "stBoots", "over the door from " .. where .. ": " .. pointer())
end
