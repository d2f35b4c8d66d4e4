-- The quest book opened for the first time in a new game (spreads 2, 1, 1):
-- the cover plays once, the book turns by itself, silently, to the first
-- unread spread and reveals it from the top down; the next visit has no
-- cover.

local demo = require("lib.demo")
local bk = require("lib.book")

demo.start_new_game()
assert(page(0) == 2 and page(1) == 1 and page(2) == 1)
bk.open()
bk.move(bk.RIGHT) -- and left there

-- The cover, shut while the scene faded in; "1" on the first update that
-- plays; at the end of "1" the discover sound (and the cover's sparkles),
-- then "2", "3" and the variable.
local b = book()
assert(b.cover == "0" and b.cur == 0 and b.auto_turn == 1, tostring(b.cover))
assert(b.sheets[1] == 0 and b.sheets[2] == false and b.sheets[3] == false)
assert(flag("shown_quest_book_cover_animation") == "null")
tick(1)
assert(book().cover == "1")
local heard = #sounds()
tick_until(function() return book().cover == "2" end, 60, "the cover's second state")
assert(bk.sounds_since(heard) == "sounds/book_discover.wav", bk.sounds_since(heard))
assert(book().cur == 0, "nothing turns while the cover plays")
tick_until(function() return book().cover == "3" end, 60, "the cover's last state")
assert(flag("shown_quest_book_cover_animation") == "completed")

-- The automatic turn, without a sound: sheet 1 is made and built over seven
-- ticks, then sheet 0 turns in N + 1 = 5 ticks and the spread's page is
-- read on the tick it lands.
tick_until(function() return book().cur == 1 end, 5, "the automatic turn")
b = book()
assert(b.sheets[1] == 1 and b.sheets[2] == -1 and b.sheets[3] == false)
assert(registry("quest_book") == 1 and flag("opened_basement_quest_book") == "true")
tick(6)
assert(book().sheets[2] == -1, "still building")
tick(1)
assert(book().sheets[2] == 0 and book().sheets[1] == 1)
tick(4)
assert(book().sheets[1] == 1 and page(1) == 1, "still turning")
tick(1)
b = book()
assert(b.sheets[1] == 2 and page(1) == 2 and b.busy)
assert(bk.sounds_since(heard) == "sounds/book_discover.wav", "the first turn is silent")
assert(pointer() ~= "stBeforeGetItem", "no turning look while the book turns by itself")

-- The reveal of the first sheet's back (400 high over 20 ticks): its plate
-- reaches from 140 to 440 on the screen; half of the page after 10 ticks.
tick(10)
assert(bk.is(250, 200, bk.HOUSE), "the top half shows")
assert(not bk.is(250, 400, bk.HOUSE), "the bottom half is still blank")
tick(9)
assert(book().busy)
tick(1)
b = book()
assert(not b.busy and b.auto_turn == 0)
assert(bk.is(250, 200, bk.HOUSE) and bk.is(250, 400, bk.HOUSE), "all of it")
-- The pointer on the right page was left alone while the book turned by
-- itself; now it shows that the page turns.
assert(pointer() == "stBeforeGetItem", pointer())

-- Out and in again: no cover this time.
bk.click(bk.CLOSE)
demo.wait_active("living_room")
bk.open()
b = book()
assert(b.cover == nil and b.cur == 1 and b.sheets[1] == 2)
assert(flag("shown_quest_book_cover_animation") == "completed")
