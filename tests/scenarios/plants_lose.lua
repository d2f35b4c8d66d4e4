-- The shown plan is kept by a save inside the game. Giving up: the plant
-- in the hand goes back to its place in the beds, the lose variable is set
-- and the player is back in the herb garden. Coming back, the plan shows
-- at once and there is no tutorial.

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
click(plants.at.sage[1], plants.at.sage[2])
assert(held() == "sage")
assert(registry("sage") ~= 0, "in the hand")
game_lua("onClearClick()")
assert(held() == nil)
assert(registry("sage") == 0, "back in its scene: " .. tostring(registry("sage")))
assert(flag("plants_lost") == "true" and flag("plants_won") == "null")
-- Ended: the plan button and done do nothing more.
game_lua("onDoneClick()")
assert(minigame().done == 0)
demo.wait_active("herb_garden")

go("herb_garden_plants")
assert(minigame().visible_note == 1, "the plan shows at once")
assert(window("plants_note_button") == nil)
click(plants.at.sage[1], plants.at.sage[2])
assert(held() == "sage", "the sage lies in the beds again")
tick(60)
assert(top_modal() == "thegame", "no tutorial")
