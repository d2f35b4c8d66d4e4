-- An autosave asked for as a mission asks is written on its next heartbeat
-- into slot 0, named "Autosave"; the one message is the request's own, the
-- save adds none.

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
-- Each request says so, as two missions' would; the save itself says nothing.
for _ = 1, 2 do
  assert(window("popup") == "shown" and text("popup_text") == "Game saved automatically")
  tick(122)
end
assert(window("popup") == nil, "saved silently")
