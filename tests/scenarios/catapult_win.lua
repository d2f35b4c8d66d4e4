-- The catapult won: the aim is steered with the arrow keys at the ship
-- nearest the shore, ahead of it by as far as it sails while the stone
-- flies, and a stone thrown once the catapult has reloaded. Each hit
-- explodes and the ship breaks up; after five ships the harbour is saved.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
catapult.start()

local EXPLOSION = "audio/sfx/minigames/catapult/explosion.ogg"
local explosions = 0
local hit_seen = 0
local ended, last_shot = catapult.play(15000, function()
  for _, ship in ipairs(catapult.ships()) do
    if ship.hit == 1 then hit_seen = math.max(hit_seen, 1) end
    if ship.hit == 1 then assert(ship.state == "destroy", "a hit ship breaks up: " .. ship.state) end
  end
end)
local done = ended ~= nil
assert(done, "the game did not end within 15000 ticks")
assert(minigame().total_ships == 5, "five ships launched: " .. minigame().total_ships)
assert(#catapult.ships() == 0, "none afloat")
-- The catapult had reloaded, yet once the game is over its fire button
-- throws nothing.
assert(ended - last_shot > 100, "reloaded at the end")
local shots = #sounds()
game_lua("onCatapultShoot()")
assert(#sounds() == shots and minigame().ft == -1, "no stone after the end")
for _, s in ipairs(sounds()) do
  if s == EXPLOSION then explosions = explosions + 1 end
end
assert(explosions >= 5, "five ships hit: " .. explosions)
assert(hit_seen == 1)
assert(flag("harbour_saved") == "true", "the harbour is saved")
assert(flag("harbour_burnt") == "null")
assert(held() == nil, "the catapult gives nothing")
demo.wait_active("harbour")
