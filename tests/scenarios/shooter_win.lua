-- The shooting range: the tutorial opens as the game starts, the sight
-- takes the pointer's place, and a hit, a refused shot, a broken lamp with
-- its hole and a second hit win the medal; the range then becomes a quiet
-- room and the pointer shows again.
local demo = require("lib.demo")
local range = require("lib.range")

demo.start_new_game()
demo.close_hints()
go("range")
tick_until(function() return top_modal() == "tutorial_shooter" end, 10, "the range's tutorial")
assert(select(4, scene()), "the dialog pauses the game")
demo.click_on("tutorial_shooter_ok")
tick(1)
assert(not select(4, scene()))
assert(select(2, pointer()) == false, "the pointer shows over the range")
assert(panel().kind == 13)

-- Bottle 1: broken, a hit, one bullet used, and no hole in the wall behind.
local game = minigame()
local _, heard = range.sounds_since(0)
click(game.goals[1].x, game.goals[1].y)
game = minigame()
local played
played, heard = range.sounds_since(heard)
assert(game.goals[1].s == "break" and game.goals[2].s == "normal")
assert(game.icons[1].s == "good", game.icons[1].s)
assert(game.bullets[4].s == "used" and game.bullets[3].s == "normal")
assert(played[range.shot] and played[range.goal] and not played[range.ricochet])
assert(game.hc == 0 and game.gun.b == 3 and game.gm == 1)

-- The gun still kicks on the next tick: nothing happens.
tick(1)
click(game.envs[1].x, game.envs[1].y)
played, heard = range.sounds_since(heard)
assert(minigame().gun.b == 3 and next(played) == nil, "a shot while the gun kicks")
tick(2)

-- The lamp: broken, and the shot leaves a hole in the wall.
click(game.envs[1].x, game.envs[1].y)
game = minigame()
played, heard = range.sounds_since(heard)
assert(game.envs[1].s == "break" and game.gun.b == 2 and game.s == 2)
assert(game.hc == 1 and game.holes[1].s == "hole1" and game.holes[2].s == "normal")
assert(math.abs(game.holes[1].x - game.envs[1].x) <= 10 and math.abs(game.holes[1].y - game.envs[1].y) <= 10)
assert(game.holes[1].z == 0)
assert(game.icons[2].s == "bad" and played[range.ricochet])
tick(3)

-- Bottle 2 wins; an empty exit scene brings the range back as the room the
-- won flag chooses.
click(game.goals[2].x, game.goals[2].y)
assert(held() == "tin_medal", tostring(held()))
assert(flag("shooter_won") == "true" and flag("shooter_lost") == "null")
tick_until(function() return select(3, scene()) == 1 and select(2, scene()) == 1 end, 200, "the range won")
assert(scene() == "range")
assert(minigame() == nil)
assert(select(2, pointer()) == true, "the pointer is hidden after the game")
tick(1)
local r, g, b = pixel(400, 200)
assert(r == 0x20 and g == 0x50 and b == 0xc0, string.format("%d %d %d", r, g, b))
assert(held() == "tin_medal")
-- The won range's door leads back to the tavern.
click(60, 300)
demo.wait_active("tavern")
