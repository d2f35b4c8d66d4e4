-- The plants game won: the plan, brought in the main inventory, is taken
-- on entering and its button shows; the button shows the plan. Each plant
-- stored fades its icon in, 0.05 a tick; done with all three stored wins
-- on the tick the last icon is full: the bundle in the hand, the variable,
-- and the herb garden.

local plants = require("lib.plants")
local demo = require("lib.demo")
plants.start_with_plan()
plants.enter()
assert(panel().main.items[1] == false, "the plan was taken")
assert(flag("___plans_has_note") == "true")
assert(window("plants_note_button") == "shown")
plants.close_tutorial()

plants.show_plan()
assert(minigame().visible_note == 1)
assert(window("plants_note_button") == nil, "the button leaves the panel")

plants.store("mint", 0)
tick(1)
assert(math.abs(plants.alpha("mint") - 0.05) < 1e-6, plants.alpha("mint"))
assert(plants.alpha("sage") == 0)
tick(18)
assert(plants.alpha("mint") < 1)
tick(1)
assert(plants.alpha("mint") == 1)

plants.store("sage", 1)
plants.store("fern", 2)
game_lua("onDoneClick()")
assert(minigame().done == 1)
tick(19)
assert(held() == nil and flag("plants_won") == "null", "not yet: the icons are not full")
tick(1)
assert(held() == "herb_bundle", tostring(held()))
assert(flag("plants_won") == "true" and flag("plants_lost") == "null")
demo.wait_active("herb_garden")
assert(held() == "herb_bundle")
