-- The mirror board lost: a mirror on a required marker and one on a marker
-- no one needs; done finds the third required one empty, and the game is
-- lost the tick the board is up, with nothing in the hand.

local demo = require("lib.demo")
local mirrors = require("lib.mirrors")

demo.start_new_game()
go("tower_mirrors")
mirrors.lay(0, 1)
mirrors.lay(1, 4)
game_lua("onDoneClick()")
assert(minigame().state == 2)
tick(17)
assert(flag("mirrors_lost") == "null")
tick()
assert(flag("mirrors_lost") == "true" and flag("mirrors_won") == "null")
assert(minigame() == nil or minigame().win == nil, "no sun")
assert(held() == nil)
demo.wait_active("tower")
assert(held() == nil)
