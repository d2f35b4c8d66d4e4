-- The shown plan is kept by a save inside the game. Giving up: the plant
-- in the hand and the one stored go back to their places in the beds, a
-- ring stored in a plants cell to the main inventory, the lose variable is
-- set and the player is back in the herb garden. Coming back, the plan
-- shows at once and there is no tutorial, and the plants lie in the beds.
-- A coin held at the second giving up goes to the main inventory.

local plants = require("lib.plants")
local demo = require("lib.demo")
plants.start_with_plan()
plants.enter()
plants.close_tutorial()
plants.show_plan()
key("t")
key("x")
demo.wait_active("herb_garden_plants")
assert(minigame().visible_note == 1, "the plan shown after the load")
assert(window("plants_note_button") == nil)
plants.store("mint", 0)
give("ring")
require("lib.panel").click_cell(1)
click(plants.at.sage[1], plants.at.sage[2])
assert(held() == "sage")
assert(registry("sage") ~= 0, "in the hand")
game_lua("onClearClick()")
assert(held() == nil)
assert(registry("sage") == 0, "back in its scene: " .. tostring(registry("sage")))
assert(registry("mint") == 0, "the stored one too: " .. tostring(registry("mint")))
assert(panel().plants.items[1] == false and panel().plants.items[2] == false, "the plants cells emptied")
assert(panel().main.items[1] == "ring" and registry("ring") == 2, "the ring in the main inventory")
assert(flag("plants_lost") == "true" and flag("plants_won") == "null")
-- Ended: the plan button and done do nothing more.
game_lua("onDoneClick()")
assert(minigame().done == 0)
demo.wait_active("herb_garden")

go("herb_garden_plants")
assert(minigame().visible_note == 1, "the plan shows at once")
assert(window("plants_note_button") == nil)
-- The mint's green where it grows.
local r, g, b = pixel(134, 418)
assert(r == 96 and g == 192 and b == 96, "the mint in the beds: " .. r .. "," .. g .. "," .. b)
click(plants.at.mint[1], plants.at.mint[2])
assert(held() == "mint", "the mint lies in the beds again")
require("lib.panel").click_cell(0)
click(plants.at.sage[1], plants.at.sage[2])
assert(held() == "sage", "the sage lies in the beds again")
tick(60)
assert(top_modal() == "thegame", "no tutorial")

-- Giving up with something of the player's in the hand: it is no plant, so
-- it goes to the main inventory, not into the beds.
require("lib.panel").click_cell(1)
give("coin")
game_lua("onClearClick()")
assert(held() == nil and registry("coin") == 2, "the coin's record says the inventory: " .. tostring(registry("coin")))
assert(panel().main.items[2] == "coin", tostring(panel().main.items[2]))
demo.wait_active("herb_garden")
