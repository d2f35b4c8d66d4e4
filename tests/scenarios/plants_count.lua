-- The done button asks for every plant of the plan: a plant stored twice
-- does not stand in for a missing one.

local plants = require("lib.plants")
local panel_points = require("lib.panel")
plants.start_with_plan()
plants.enter()
plants.close_tutorial()
plants.store("mint", 0)
give("mint")
panel_points.click_cell(1)
plants.store("sage", 2)
assert(panel().plants.items[2] == "mint", "a second mint stored")
game_lua("onDoneClick()")
assert(minigame().done == 0, "the fern is missing")
tick(5)
assert(held() == nil and flag("plants_won") == "null")

plants.store("fern", 3)
game_lua("onDoneClick()")
assert(minigame().done == 1)
tick(1)
assert(held() == "herb_bundle" and flag("plants_won") == "true")
