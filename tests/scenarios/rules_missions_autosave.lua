-- Taking the old coin completes the task whose results set a variable and
-- ask for an autosave: the variable is set inside the same event, and on the
-- next heartbeat slot 0 "Autosave" is written and the player is told.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local events_since = demo.events_since

start_new_game()
assert(task("take_the_coin") == false)
local seen = #events()
click(500, 420) -- the coin
assert(held() == "coin")
assert(events_since(seen) == "item_get coin, flag coin_found=true", events_since(seen))
assert(flag("coin_found") == "true")
assert(task("take_the_coin") == true)
assert(mission("light_the_house") == false, "the light is still off")
assert(not save_document():find('save_name="Autosave"', 1, true), "not before the heartbeat")

tick(1)
local doc = save_document()
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<coin_found value="true"/>', 1, true), "saved after the variable was set")
assert(window("popup") == "shown")
assert(text("popup_text") == "Game saved automatically")

-- Complete for good: taking the coin again asks for nothing more.
tick(1)
assert(window("hint") == "shown", "the guide hint on the first coin")
click(400, 100) -- closes it
tick(1)
click(400, 200) -- the coin back to its place
assert(held() == nil)
tick(200)
local saved = save_document()
click(500, 420)
assert(held() == "coin")
tick(2)
assert(save_document() == saved, "no second autosave")
