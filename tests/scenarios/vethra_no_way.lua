-- Across the Vethra, the map offers only the cells that lead to a scene:
-- over cell (2, 1) of part 0, which has none, nothing is highlighted, and a
-- click on it tells the player on screen that no way leads there; the map
-- stays, the player stays, and the journey is still theirs to make, to
-- cell (1, 1).

local demo = require("lib.demo")

demo.start_new_game()
set_flag("vethra_atmosphere", "true")
demo.unlock_magics()
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")

demo.cast("through_space")
tick_until(function() return vethra().chooser_buttons == 2 end, 120, "the chooser's buttons")
demo.click_on("btn_through_vethra")
tick_until(function() return vethra().map == 2 end, 40, "the map for travel")

move(500, 270) -- cell (2, 1): "0_2_1" is no scene of the world
tick(1)
assert(window("selection") == nil, "the cell is offered")
click(500, 270)
tick(1)
assert(window("popup") == "shown" and text("popup_text") == "No way leads there",
       "nothing told: " .. tostring(text("popup_text")))
assert(vethra().grid == 0, "the cell was chosen")
tick(40)
assert(vethra().map == 2 and scene() == "0_0_0", "the map or the player moved")

move(400, 270) -- cell (1, 1): "0_1_1"
tick(1)
assert(window("selection") == "shown", "a cell with a scene is not offered")
click(400, 270)
assert(vethra().grid == 1, "no cell chosen")
click(400, 270) -- the travel button
tick(20)
demo.wait_active("0_1_1")
