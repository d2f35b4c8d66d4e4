-- The pointer takes its look from what lies under it, in the game's own
-- pointer mode ("GameMouse" true): boots over a passage, an eye over a thing
-- to look at, the take look over an item, the item look while holding one
-- (a passage still shows its boots), the idle animation after 181 ticks at
-- rest, and in a full-screen scene always the plain pointer.

local demo = require("lib.demo")

local function look_at(x, y, expected, why)
  move(x, y)
  tick(1)
  assert(pointer() == expected, (why or "") .. " at " .. x .. "," .. y .. ": " .. tostring(pointer()))
end

demo.enter_name()
tick(10)
click(110, 282)
repeat tick(1) until top_modal() == "thegame"
repeat tick(1) until select(2, scene()) == 1
assert(scene() == "study")

look_at(400, 200, "stNormal", "empty scene")
look_at(670, 300, "stBoots", "a passage")
look_at(110, 240, "stEye", "a thing to look at")
look_at(320, 350, "stBeforeGetItem", "an item to take")

click(320, 350)
assert(held() == "lamp")
tick(1)
assert(pointer() == "stItem", "holding the lamp: " .. pointer())
look_at(500, 420, "stItem", "another item while holding one")
look_at(670, 300, "stBoots", "a passage while holding one")
look_at(110, 240, "stEye", "a thing to look at while holding one")
look_at(400, 200, "stItem", "empty scene while holding one")

-- Back to its place: the hand is empty and the plain look returns on the
-- next tick.
click(400, 200)
assert(held() == nil)
tick(1)
assert(pointer() == "stNormal", "after putting the lamp back: " .. pointer())

-- At rest: the idle animation starts on the 181st still tick; a move
-- restarts the wait.
move(420, 200)
tick(100)
move(430, 200)
tick(180)
assert(pointer() == "stNormal", "180 ticks at rest: " .. pointer())
tick(1)
assert(pointer() == "stIdle1", "181 ticks at rest: " .. pointer())

-- The full-screen gallery switches the game's looks off.
click(670, 300)
repeat tick(1) until scene() == "gallery" and select(2, scene()) == 1
look_at(110, 300, "stNormal", "a passage in a full-screen scene")
look_at(370, 420, "stNormal", "an item in a full-screen scene")
tick(200)
assert(pointer() == "stNormal", "no idle animation in a full-screen scene: " .. pointer())

-- And back in the study the looks return.
click(110, 300)
repeat tick(1) until scene() == "study" and select(2, scene()) == 1
look_at(671, 300, "stBoots", "a passage back in the study")
