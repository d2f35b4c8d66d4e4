-- A take effect whose numbers no screen can use (this tree's
-- particles/item_take.lua: a position that is not a number, sizes and
-- speeds past any screen): two seconds of play pass as two seconds, the game
-- goes on with the item in the hand, and the effect says once what it held
-- in range, once what it would not take and once that it drew no more than
-- its budget of a frame.

local demo = require("lib.demo")
demo.start_new_game()
local before = reports()
click(320, 350) -- the lamp
assert(held() == "lamp", tostring(held()))
tick(125)
assert(reports() == before + 3, (reports() - before) .. " report line(s)")
click(670, 300) -- to the hall, the lamp still in the hand
demo.wait_active("hall")
assert(held() == "lamp" and reports() == before + 3)
