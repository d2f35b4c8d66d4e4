-- A page script that builds no window "container" (this tree's
-- scripts/book/stair.lua, the second sheet's front): the book says so once,
-- shows that face empty and goes on turning.

local bk = require("lib.book")

local before = reports()
bk.first_opening()
assert(reports() == before + 1, (reports() - before) .. " report line(s)")
assert(window("scrap") == nil, "nothing of the torn page is shown")
assert(book().cur == 1)
bk.click(bk.RIGHT)
bk.settle()
assert(book().cur == 2 and reports() == before + 1, "the book turns on")
