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

-- From a cell that holds an item (its caption shown, the pointer's item
-- look) straight onto the door: the cell's leave must not put the plain
-- look back on its next tick.
local pn = require("lib.panel")
click(500, 420) -- the coin
assert(held() == "coin", tostring(held()))
demo.close_hints() -- its word
pn.click_cell(0)
assert(held() == nil and panel().main.items[1] == "coin", "the coin kept")
move(400, 200)
tick(1)
move(pn.cell(0))
tick(1)
local over = pointer()
move(door[1], door[2])
tick(1)
assert(pointer() == "stBoots", "onto the door from the coin's cell (" .. over .. "): " .. pointer())
tick(1)
assert(pointer() == "stBoots", "a tick later: " .. pointer())
