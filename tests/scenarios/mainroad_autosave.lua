-- An autosave asked for through the game window is written on its next
-- heartbeat into slot 0, named "Autosave", without a message.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

start_new_game()
assert(save_document() == "<save_data></save_data>")
autosave()
autosave() -- twice in one tick: one save
assert(save_document() == "<save_data></save_data>", "not before the heartbeat")
tick(1)
local doc = save_document()
local _, saves = doc:gsub("<save ", "")
assert(saves == 1, doc)
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<current_scene id="living_room"/>', 1, true), doc)
tick(1)
assert(window("popup") == nil, "saved silently")
