-- The tower's plan, kept in the panel, is taken on entering the stone
-- tiles, its record ended, and read through the panel's note button, once.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
go("yard")
give("tower_plan")
pn.click_cell(0)
assert(panel().main.items[1] == "tower_plan")
go("tower_tag")
assert(panel().kind == 7)
assert(panel().main.items[1] == false, "the plan is taken from its cell")
assert(held() == nil)
assert(flag("___tag_has_note") == "true")
-- Handed over for good: its record ends, and a save keeps it nowhere.
assert(registry("tower_plan") == 4, "the plan's record: " .. tostring(registry("tower_plan")))
key("t")
tick(2)
local quick = save_document():match('<save save_name="Quick save".-</save>')
assert(quick:find('<tower_plan a0="4"/>', 1, true) and not quick:find('item_id="tower_plan"', 1, true))
assert(window("tag_note_button") == "shown")
assert(minigame().note_alpha == 0)

game_lua("onMinigameButtonClick()")
assert(minigame().note_alpha == 1)
assert(minigame().visible_note == 1)
assert(window("tag_note_button") ~= "shown")
game_lua("onMinigameButtonClick()")
assert(minigame().note_alpha == 1)
assert(window("tag_note_button") ~= "shown")
