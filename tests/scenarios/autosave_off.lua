-- Autosaves turned off in the options: a mission's autosave writes nothing
-- and says nothing, while the quick save still saves; turned on again, an
-- autosave writes slot 0.

local demo = require("lib.demo")

demo.enter_name("Ann")
demo.start_new_game()
key("escape")
demo.click_on("btn_Options")
tick(10)
demo.click_on("autosave")
assert(pref("autosaveoff", 0) == "1")
demo.click_on("btn_Ok")
tick(10)
demo.click_on("btn_Resume")

click(500, 420) -- the coin: its task asks for an autosave
assert(task("take_the_coin") == true)
tick(1)
assert(not save_document():find('ind="0"', 1, true), "no autosave")
assert(window("popup") == nil, "nor a word of one")
autosave()
tick(1)
assert(not save_document():find('ind="0"', 1, true), "no autosave")
demo.close_hints()
key("t")
assert(save_document():find('<save save_name="Quick save" ind="1">', 1, true), "the quick save saves")

game_lua("ToggleAutoSave()")
autosave()
tick(1)
assert(save_document():find('<save save_name="Autosave" ind="0">', 1, true))
