-- The card table played as a player comes back to it, each time with the
-- ring in the hand: the ring is put away at the table and kept after every
-- game; a lost game may be played again, but gives its bent coin once; a
-- won game is not dealt again: the table is then a quiet room whose arrow
-- leads back to the tavern, and the silver coin exists once.
local demo = require("lib.demo")
local cards = require("lib.cards")
local keep = require("lib.keep")

-- From the tavern, the ring taken from its cell, to the table (the
-- tavern's table at 70, 340; 300 by 120).
local function to_table()
  if held() then keep.click_cell(nil) end
  keep.click_cell("ring")
  assert(held() == "ring")
  click(220, 400)
  demo.wait_active("tavern_cards")
  assert(held() == nil, "the table takes the ring from the hand")
end

local function lose()
  for _ = 1, 3 do cards.choose(false) end
  tick_until(function() return scene() == "tavern" end, 200, "the tavern after the loss")
  demo.wait_active("tavern")
end

cards.enter("ring")
lose()
assert(held() == "bent_coin", tostring(held()))
keep.in_inventory("ring", "the first game lost")

to_table()
lose()
assert(held() == nil, "a second bent coin: " .. tostring(held()))
assert(keep.count("bent_coin") == 1, keep.count("bent_coin") .. " bent coins")
keep.in_inventory("ring", "the second game lost")

to_table()
cards.choose(true)
cards.choose(true)
tick_until(function() return held() == "silver_coin" end, 100, "the silver coin")
demo.wait_active("tavern")
keep.in_inventory("ring", "the game won")

-- The table again: no game, the gathered cards and the arrow back.
keep.click_cell(nil)
click(220, 400)
demo.wait_active("tavern_cards")
assert(minigame() == nil and select(3, scene()) == 2, "the won table is dealt again")
tick(1)
local r, g, b = pixel(400, 430)
assert(r == 0x8a and g == 0x6a and b == 0x44, string.format("no arrow: %d,%d,%d", r, g, b))
r, g, b = pixel(400, 215)
assert(r == 0x7a and g == 0x1e and b == 0x1e, string.format("no cards: %d,%d,%d", r, g, b))
assert(panel().passages.bottom, "the panel's arrow down")
click(400, 440)
demo.wait_active("tavern")
assert(keep.count("silver_coin") == 1 and keep.count("bent_coin") == 1)
