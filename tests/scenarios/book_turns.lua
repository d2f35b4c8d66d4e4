-- Turning the quest book's sheets by hand, after its first opening has
-- revealed spread 1: which clicks turn, what the pointer shows, and the
-- sounds of a turn onto an unread spread and back.

local bk = require("lib.book")

bk.first_opening()
assert(book().cur == 1 and page(2) == 1 and page(3) == 0)

-- Spread 0 cannot be returned to.
bk.move(bk.LEFT)
tick(1)
assert(pointer() ~= "stBeforeGetItem", pointer())
local heard = #sounds()
bk.click(bk.LEFT)
tick(2)
assert(book().cur == 1 and book().sheets[1] == 2 and bk.sounds_since(heard) == "")

-- Onto unread spread 2: the page-turning look, the discover sound, the
-- turn, the reveal.
bk.move(bk.RIGHT)
tick(1)
assert(pointer() == "stBeforeGetItem", pointer())
bk.click(bk.RIGHT)
assert(bk.sounds_since(heard) == "sounds/book_discover.wav", bk.sounds_since(heard))
local b = book()
assert(b.cur == 2 and b.sheets[2] == 1 and b.sheets[3] == -1)
assert(pointer() ~= "stBeforeGetItem", "no turning look while a sheet turns")
bk.settle()
assert(page(2) == 2)
assert(bk.is(250, 400, bk.ATTIC) and bk.is(550, 400, bk.GARDEN), "spread 2 revealed")

-- Spread 3 lies beyond the missions' page list: locked.
move(600, 550)
tick(1)
bk.move(bk.RIGHT)
tick(1)
assert(pointer() ~= "stBeforeGetItem", pointer())
heard = #sounds()
bk.click(bk.RIGHT)
tick(2)
assert(book().cur == 2 and book().sheets[3] == 0 and bk.sounds_since(heard) == "")

-- A mission unlocks it: the last sheet turns, and no further sheet is made.
set_flag("book_marked", "true")
assert(page(3) == 1)
move(600, 550)
tick(1)
bk.move(bk.RIGHT)
tick(1)
assert(pointer() == "stBeforeGetItem", pointer())
bk.click(bk.RIGHT)
assert(bk.sounds_since(heard) == "sounds/book_discover.wav", bk.sounds_since(heard))
b = book()
assert(b.cur == 3 and #b.sheets == 3 and b.sheets[3] == 1)
bk.settle()
assert(page(3) == 2 and book().sheets[3] == 2)

-- Back: the backward sound, whatever the spread.
heard = #sounds()
bk.move(bk.LEFT)
tick(1)
assert(pointer() == "stBeforeGetItem", pointer())
bk.click(bk.LEFT)
assert(bk.sounds_since(heard) == "sounds/book_back.wav", bk.sounds_since(heard))
assert(book().cur == 2 and book().sheets[3] == 3)
tick_until(function() return book().sheets[3] == 0 end, 20, "the turn back")
assert(registry("quest_book") == 2)
