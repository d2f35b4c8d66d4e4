-- The mirror board won: entering takes what the hand held and fills the
-- mirrors inventory; three mirrors laid on the three required markers and
-- done: the board flies up, the sun rises on the 18th tick ((17 + 500) / 30
-- moves of 30 pixels), and at its "finish" the sun disc is in the hand.

local demo = require("lib.demo")
local mirrors = require("lib.mirrors")

demo.start_new_game()
give("ring")
go("tower_mirrors")
assert(held() == nil, "the ring is gone")
assert(panel().kind == 8)
assert(mirrors.cells() == mirrors.full(), mirrors.cells())

local heard = #sounds()
mirrors.lay(0, 1)
local m = mirrors.marker(1)
assert(m.v == 1 and m.id == "mirrors_mirror1")
assert(held() == nil)
assert(sounds()[#sounds()] == "audio/sfx/game/items/item_drop.ogg" and #sounds() > heard)
mirrors.lay(1, 2)
mirrors.lay(2, 3)
assert(mirrors.marker(2).id == "mirrors_mirror2" and mirrors.marker(3).id == "mirrors_mirror3")

game_lua("onDoneClick()")
assert(minigame().state == 1)
for _ = 1, 17 do
  tick()
  assert(minigame().win == nil, "no sun before the board is up")
end
tick()
assert(minigame().win ~= nil and minigame().board_y == -500, "the sun on the 18th tick")

-- Done and clear do nothing after the check.
game_lua("onClearClick()")
game_lua("onDoneClick()")
assert(mirrors.marker(1).v == 1 and minigame().state == 1)
assert(mirrors.cells() ~= mirrors.full())

tick_until(function() return held() == "sun_disc" end, 200, "the sun disc")
assert(flag("mirrors_won") == "true" and flag("mirrors_lost") == "null")
assert(select(2, scene()) == 2)
demo.wait_active("tower")
assert(held() == "sun_disc")
