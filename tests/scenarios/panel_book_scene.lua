-- The book button inside the quest book itself, in a tree whose book scene
-- allows the panel's buttons: a click there before the book's first turn
-- goes nowhere (after it, the open book refuses the button anyway). Taken,
-- it would make the book the scene to come back to, and the ribbon could
-- never lead out again.

local demo = require("lib.demo")
local pn = require("lib.panel")
local bk = require("lib.book")

demo.start_new_game()
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")
click(620, 472) -- the apple shows the book button
assert(panel().book.state == 1)
click(90, 300) -- back to the hall
demo.wait_active("hall")
click(110, 300) -- the living room
bk.open()
assert(flag("opened_basement_quest_book") ~= "true", "before the first turn")
assert(not select(4, scene()) and not panel().locked, "the book plays")
pn.click("book")
tick(40)
assert(flag("exit_from_book_scene") == "null", flag("exit_from_book_scene"))
assert(scene() == "basement_quest_book" and select(2, scene()) == 1, "the book stays open")
bk.settle()
bk.click(bk.CLOSE)
demo.wait_active("living_room")
