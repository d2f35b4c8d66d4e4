-- The quest book lies only in "home". On the Vethra the unlocked book
-- button does nothing: no scene change, nothing stored for a return, no
-- report, and the air runs on. A return stored in another world (left by
-- an older game) does not trap the player in the book either: the ribbon
-- leads home to the living room with one report, the stored values stay
-- as they were, and the Vethra's timers are not brought back, so the
-- player plays on at home.

local demo = require("lib.demo")
local pn = require("lib.panel")
local bk = require("lib.book")

demo.start_new_game()
click(670, 300)
demo.wait_active("hall")
click(270, 300)
demo.wait_active("study")
click(620, 472) -- the apple unlocks the book button
pn.click_cell(0)
demo.close_hints()
assert(panel().book.state == 1)

demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")
demo.close_hints()
local reported, left = reports(), timers().vethra.left
assert(timers().vethra.state == 0, "no air here")
pn.click("book")
tick(40)
assert(scene() == "0_0_0" and select(2, scene()) == 1, "still playing on the Vethra")
assert(flag("exit_from_book_scene") == "null" and flag("timer_controllers_snapshot") == "null",
       "nothing stored: " .. flag("exit_from_book_scene"))
assert(reports() == reported, "nothing reported")
assert(timers().vethra.left < left, "the air runs on")

-- What the Vethra's click once stored: its scene and its running air.
key("t")
local doc = save_document()
tick(130)
local snapshot = "<snapshot>" .. doc:match("<timer_controllers>.-</timer_controllers>") ..
                 doc:match("<indicators>.-</indicators>") .. "</snapshot>"
assert(snapshot:find('<vethra state="0"', 1, true), snapshot)

demo.go_to("home", "living_room")
set_flag("exit_from_book_scene", "0_0_0")
set_flag("timer_controllers_snapshot", snapshot)
bk.open()
bk.settle()
reported = reports()
bk.click(bk.CLOSE)
demo.wait_active("living_room")
assert(reports() == reported + 1, "one report")
assert(flag("exit_from_book_scene") == "0_0_0" and flag("timer_controllers_snapshot") == snapshot,
       "the stored values stay")
assert(timers().vethra.state == 1, "the Vethra's air is not brought home")
tick(250) -- longer than the air lasts
assert(scene() == "living_room" and not select(4, scene()), "playing at home")
