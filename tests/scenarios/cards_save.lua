-- The card table saved: the attempts and finds survive a quick save and
-- load, which deals a new turn; a game saved after its deciding click ends
-- as soon as it is loaded.
local cards = require("lib.cards")

cards.enter()
cards.choose(true)
assert(minigame().state == 6)
key("t")
local saved = save_document()
assert(saved:find('<cards attemps="1" gw="1"/>', 1, true), "the table is saved")
-- Play on, then load: the counters come back and a new turn is dealt.
tick(30)
key("x")
tick_until(function() return scene() == "tavern_cards" and minigame() ~= nil end, 100, "the table loaded")
local game = minigame()
assert(game.state == 0 and game.attemps == 1 and game.gw == 1, "state " .. game.state)

-- The deciding click, saved in the result's showing, ends the game at once
-- when loaded.
cards.choose(true)
assert(minigame().state == 4)
key("t")
tick(5)
key("x")
tick_until(function() return scene() == "tavern_cards" and minigame() ~= nil end, 100, "the table loaded")
assert(held() == nil)
tick(1)
assert(held() == "silver_coin", tostring(held()))
assert(flag("cards_won") == "true")
