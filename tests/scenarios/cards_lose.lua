-- The card table lost: a find and two misses use the three attempts with
-- one find only; the bent coin, the lose variable and the tavern follow.
local demo = require("lib.demo")
local cards = require("lib.cards")

cards.enter()
cards.choose(true)
cards.choose(false)
local game = minigame()
assert(game.attemps == 2 and game.gw == 1 and game.state == 6, "state " .. game.state)
cards.choose(false)
game = minigame()
assert(game.attemps == 3 and game.gw == 1 and game.state == 5, "state " .. game.state)
-- The card clicked and the one sought are both turned up.
local up = 0
for _, card in ipairs(game) do
  if card.look ~= "normal" then up = up + 1 end
end
assert(up == 2, "turned up: " .. up)
tick(41)
assert(held() == "bent_coin", tostring(held()))
assert(flag("cards_lost") == "true" and flag("cards_won") == "null")
demo.wait_active("tavern")
