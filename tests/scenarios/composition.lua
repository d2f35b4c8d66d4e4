-- The stone statue in the workshop is put together from three parts: each part
-- used on it appears on the plinth, an action tells how many are still
-- missing, the last one completes it, and anything else is refused and stays
-- in hand. Which parts are there survives a quick save and load.

local ws = require("lib.workshop")

-- Whether the pixel shows the part's colour rather than the alcove's.
local function shows(x, y, r, g, b)
  local pr, pg, pb = pixel(x, y)
  return math.abs(pr - r) < 8 and math.abs(pg - g) < 8 and math.abs(pb - b) < 8
end
-- Away from the pointer, which rests where the statue was clicked.
local base, torso, head = {300, 225, 176, 176, 184}, {325, 160, 143, 176, 208}, {340, 110, 224, 192, 144}

ws.enter()
assert(not shows(unpack(base)) and not shows(unpack(torso)) and not shows(unpack(head)), "an empty plinth")

give("statue_base")
ws.click("stone_statue")
assert(flag("statue_left") == "2")
assert(registry("stone_statue", 0) == 1 and registry("stone_statue", 1) == 0 and registry("stone_statue", 2) == 0)
assert(held() == nil, "the part left the hand")

give("statue_head")
ws.click("stone_statue")
assert(flag("statue_left") == "1")
assert(registry("stone_statue", 0) == 1 and registry("stone_statue", 1) == 0 and registry("stone_statue", 2) == 1)

key("t")
tick(2)
key("x")
require("lib.demo").wait_active("workshop")
tick(1)
assert(shows(unpack(base)), "the base is back on the plinth")
assert(not shows(unpack(torso)), "the torso is still missing")
assert(shows(unpack(head)), "the head is back")

give("statue_torso")
ws.click("stone_statue")
assert(flag("statue_left") == "0")
assert(flag("statue_done") == "true")
tick(1)
assert(shows(unpack(torso)))

assert(flag("statue_wrong") == "null")
give("coin")
ws.click("stone_statue")
assert(flag("statue_wrong") == "true")
assert(held() == "coin", "a wrong item stays in hand")
