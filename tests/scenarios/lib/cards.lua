-- Steps shared by the card table's scenarios (the tavern's "tavern_cards").
local demo = require("lib.demo")
local cards = {}

-- A new game, then the card table, with `item` in the hand when given.
function cards.enter(item)
  demo.start_new_game()
  demo.close_hints()
  if item then give(item) end
  go("tavern_cards")
end

function cards.state()
  return minigame().state
end

-- Until the cards lie still, waiting for the click.
function cards.wait_choice()
  tick_until(function() return cards.state() == 3 end, 400, "the cards waiting for a click")
end

-- The centre of the card sought (`find` true) or of another one.
function cards.point(find)
  local game = minigame()
  for _, card in ipairs(game) do
    if (card.number == game.target) == find then return card.x, card.y end
  end
  error("no such card")
end

-- Waits for the choice and clicks the sought card or another one.
function cards.choose(find)
  cards.wait_choice()
  click(cards.point(find))
end

return cards
