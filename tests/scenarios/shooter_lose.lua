-- The shooting range lost: four shots into the wall leave four holes and
-- four misses; the last bullet ends the game without a medal.
local demo = require("lib.demo")
local range = require("lib.range")

range.enter()
for i, x in ipairs({100, 300, 500, 780}) do
  range.shoot(x, 400)
  if i < 4 then
    local game = minigame()
    assert(game.hc == i and game.holes[i].s == "hole1" and game.icons[i].s == "bad")
    assert(game.gun.b == 4 - i)
  end
end
assert(flag("shooter_lost") == "true" and flag("shooter_won") == "null")
assert(held() == nil, tostring(held()))
demo.wait_active("tavern")
assert(select(2, pointer()) == true, "the pointer is hidden after the game")
