-- The nursery's lesson is for learning once: struck and put out, the match
-- lesson is done, and when the player comes back the nursery is a plain
-- room: no star over the panel, and every cell of the inventory takes
-- what the hand holds (the cook book lying there, in the fifth cell).

local demo = require("lib.demo")
local house = require("lib.story_house")
local pn = require("lib.panel")

demo.start_new_game()
house.living_room() -- the house lit: the lesson opens
click(270, 300)
demo.wait_active("study")
click(485, 250)
demo.wait_active("nursery")
local box = "living_room_tutorial_matches_box"
house.read_hint("small", "hint_lesson_strike")
click(165, 465)
click(400, 200, "right")
house.read_hint("small", "hint_lesson_put_out")
click(400, 200, "right")
click(400, 200)
assert(held() == nil and item(box) == box, "the lesson done, the box back")
assert(panel().kind == 0 and select(3, scene()) == 1, "still the lesson while the player stays")

click(60, 300)
demo.wait_active("study")
assert(flag("nursery_lesson_done") == "true", "left after the lesson")
click(485, 250)
demo.wait_active("nursery")
assert(select(3, scene()) == 0, "the plain room")
local r, g, b = pixel(206, 545)
assert(not (r == 255 and g == 255 and b == 0), "no star over the panel")
click(620, 480)
assert(held() == "kitchen_cook_book", tostring(held()))
pn.click_cell(4)
assert(held() == nil and panel().main.items[5] == "kitchen_cook_book", "kept in the fifth cell: " .. pn.items())
