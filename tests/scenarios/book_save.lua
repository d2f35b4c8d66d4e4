-- The quest book's open position is its one number in the items registry:
-- it survives leaving the book, a quick save and load, and a damaged save
-- that holds more sheets than the book has opens it at its last spread.

local demo = require("lib.demo")
local bk = require("lib.book")

bk.first_opening()
bk.click(bk.RIGHT) -- on to spread 2, the last one unlocked
bk.settle()
assert(book().cur == 2)

-- Out and back in: the sheets are made anew, open where they were.
bk.click(bk.CLOSE)
demo.wait_active("living_room")
assert(registry("quest_book") == 2)
bk.open()
local b = book()
assert(b.cur == 2 and b.sheets[1] == 2 and b.sheets[2] == 2 and b.sheets[3] == 0)
tick(3)
assert(book().cur == 2 and book().auto_turn == 0, "nothing left to turn to")

-- Saved at 2, turned back to 1, loaded: at 2 again.
key("t")
tick(1)
bk.click(bk.LEFT)
assert(book().cur == 1)
bk.settle()
key("x")
demo.wait_active("basement_quest_book")
assert(book().cur == 2 and book().sheets[2] == 2)

-- A save whose registry says 9 for a book of three sheets.
local doc = save_document()
local damaged, count = doc:gsub('<quest_book a0="2"', '<quest_book a0="9"')
assert(count == 1, doc)
set_save_document(damaged)
local before = reports()
key("x")
demo.wait_active("basement_quest_book")
b = book()
assert(b.cur == 3 and b.sheets[3] == 2 and b.sheets[2] == false, tostring(b.cur))
assert(reports() > before, "the damaged number is reported")
bk.settle()
bk.click(bk.LEFT)
assert(book().cur == 2, "and the book turns back from there")
