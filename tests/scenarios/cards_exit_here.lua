-- The card table with an empty exit scene is dealt again at its end: the
-- coin just given survives the new table's start, kept in the main
-- inventory, and registry and save agree.
local demo = require("lib.demo")
local cards = require("lib.cards")
local keep = require("lib.keep")

cards.enter()
cards.choose(true)
cards.choose(false)
cards.choose(false)
tick_until(function() return flag("cards_lost") == "true" end, 100, "the table lost")
tick_until(function()
  local id, state = scene()
  return id == "tavern_cards" and state == 1 and minigame() ~= nil
end, 200, "the table dealt again")
assert(held() == nil, "the new table starts with an empty hand")
keep.in_inventory("bent_coin", "after the new deal")
