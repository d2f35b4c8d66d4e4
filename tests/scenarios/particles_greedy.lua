-- A take effect whose script asks for a gigabyte in one call (this tree's
-- particles/item_take.lua): the script is refused past its memory limit,
-- one line says so, and the game plays on with the item in the hand.

local demo = require("lib.demo")
demo.start_new_game()
local before = reports()
click(320, 350) -- the lamp
assert(held() == "lamp", tostring(held()))
tick(10)
assert(reports() == before + 1, (reports() - before) .. " report line(s)")
click(670, 300) -- to the hall, the lamp still in the hand
demo.wait_active("hall")
assert(held() == "lamp" and reports() == before + 1)
