-- The tutorial scene asks the panel's questions its own way: in the
-- nursery only the cells its lesson lists (the first two) take clicks, and
-- the strip does not scroll, neither by the wheel nor by the arrows. Back
-- in the study every cell and the scrolling work again.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
local pn = require("lib.panel")

demo.start_new_game()
nursery.go_to_nursery()
assert(panel().kind == 0)

give("key")
local seen = #events()
pn.click_cell(2)
assert(held() == "key" and panel().main.items[3] == false, "the third cell is not the lesson's")
assert(demo.events_since(seen) == "", demo.events_since(seen))
pn.click_cell(1)
assert(held() == nil and panel().main.items[2] == "key", "the second is")

move(pn.cell(2))
wheel(-2)
assert(panel().main.first == 0, "no scrolling in the lesson")
pn.click("arrow_right")
assert(panel().main.first == 0)

click(60, 300) -- back to the study
demo.wait_active("study")
give("coin")
pn.click_cell(2)
assert(panel().main.items[3] == "coin")
move(pn.cell(2))
wheel(-1)
assert(panel().main.first == 1)
