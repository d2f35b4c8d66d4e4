-- The shooting range saved after a hit and a miss: the quick save holds
-- the broken bottle, the hole, the icons and the bullets left, and loading
-- it puts them all back; the next hit then wins.
local demo = require("lib.demo")
local range = require("lib.range")

range.enter()
local game = minigame()
range.shoot(game.goals[1].x, game.goals[1].y)
range.shoot(100, 400)
key("t")
local saved = save_document()
local shooter = saved:match("<shooter .-</shooter>")
assert(shooter, "the range is saved")
assert(shooter:find('gm="1"', 1, true) and shooter:find('s="2"', 1, true) and shooter:find('hc="1"', 1, true))
assert(shooter:find('<gun b="2"/>', 1, true))
assert(shooter:match('<goals>%s*<goal s="break"/>'), "the first bottle is saved broken")

-- Away and back through the save.
tick(10)
key("x")
tick_until(function() return scene() == "range" and select(2, scene()) == 1 end, 200, "the range loaded")
game = minigame()
assert(game.gm == 1 and game.s == 2 and game.hc == 1 and game.gun.b == 2)
assert(game.goals[1].s == "break" and game.goals[2].s == "normal" and game.goals[3].s == "normal")
assert(game.holes[1].s == "hole1" and game.holes[2].s == "normal")
assert(math.abs(game.holes[1].x - 100) <= 10 and math.abs(game.holes[1].y - 400) <= 10)
assert(game.icons[1].s == "good" and game.icons[2].s == "bad" and game.icons[3].s == "normal")
assert(game.bullets[1].s == "normal" and game.bullets[2].s == "normal")
assert(game.bullets[3].s == "used" and game.bullets[4].s == "used")

click(game.goals[3].x, game.goals[3].y)
assert(held() == "tin_medal", tostring(held()))
assert(flag("shooter_won") == "true")
