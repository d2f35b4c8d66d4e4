-- Done with every plant stored but the plan never shown wins on the next
-- tick: there are no icons to wait for. With the plan shown, a plant taken
-- back out after done fades its icon out, and the game waits until it is
-- stored again.

local plants = require("lib.plants")
local demo = require("lib.demo")
local panel_points = require("lib.panel")
plants.start_with_plan()
plants.enter()
plants.close_tutorial()
plants.store("mint", 0)
plants.store("sage", 1)
plants.store("fern", 2)
key("t")
game_lua("onDoneClick()")
assert(minigame().done == 1 and held() == nil)
tick(1)
assert(held() == "herb_bundle" and flag("plants_won") == "true")
demo.wait_active("herb_garden")

-- Back to the save before done, and the plan shown this time (a game
-- saved inside has no tutorial).
key("x")
demo.wait_active("herb_garden_plants")
assert(minigame().done == 0 and held() == nil)
plants.show_plan()
tick(20)
game_lua("onDoneClick()")
-- The fern taken out again: its icon runs back to nothing.
panel_points.click_cell(2)
assert(held() == "fern")
tick(1)
assert(plants.alpha("fern") == 0.95, plants.alpha("fern"))
tick(40)
assert(plants.alpha("fern") == 0 and flag("plants_won") == "null", "no win while an icon is not full")
assert(scene() == "herb_garden_plants" and select(2, scene()) == 1)
-- Done cannot be undone: neither done nor clear act now.
game_lua("onClearClick()")
assert(flag("plants_lost") == "null" and held() == "fern")
panel_points.click_cell(2)
tick(20)
assert(held() == "herb_bundle" and flag("plants_won") == "true")
