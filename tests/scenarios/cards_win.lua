-- The card table: the hand is emptied on entering; clicks before the cards
-- wait, or between two cards, use no attempt; two finds win the silver coin
-- on the 41st tick, and the saved game keeps nothing of the table.
local demo = require("lib.demo")
local cards = require("lib.cards")

cards.enter("ring")
assert(held() == nil, "the ring is still held")
assert(panel().kind == 12)
local game = minigame()
assert(#game == 3, "three cards")

-- Before the cards wait, a click on any card does nothing.
assert(cards.state() < 3)
click(250, 300)
click(400, 300)
click(550, 300)
assert(minigame().attemps == 0)

cards.wait_choice()
-- Between the first and the second card: no card, no attempt.
click(325, 300)
assert(minigame().attemps == 0 and cards.state() == 3)

click(cards.point(true))
game = minigame()
assert(game.attemps == 1 and game.gw == 1 and game.state == 6, "state " .. game.state)
local shown = 0
for _, card in ipairs(game) do
  if card.look ~= "normal" then shown = shown + 1 end
end
assert(shown == 1, "only the card found is turned up")

cards.choose(true)
game = minigame()
assert(game.attemps == 2 and game.gw == 2 and game.state == 4, "state " .. game.state)
tick(40)
assert(held() == nil and flag("cards_won") == "null")
tick(1)
assert(held() == "silver_coin", "held: " .. tostring(held()))
assert(flag("cards_won") == "true" and flag("cards_lost") == "null")
demo.wait_active("tavern")
assert(held() == "silver_coin")
local saved = save_document()
assert(saved:find("<save", 1, true), "the win was saved")
assert(not saved:find("<cards[%s/>]"), "the saved game keeps the card table")
