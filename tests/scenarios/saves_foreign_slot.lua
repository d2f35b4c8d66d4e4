-- A save document holding a slot this game would not write (written by a
-- later version or by hand: element names with ":" and "é", blanks in a
-- CDATA section beside a child): the quick save and the autosave still write
-- their own slots, and that slot reads back exactly as it was. The "Game
-- saved" popup goes with the player through a door taken at once.

local demo = require("lib.demo")

demo.start_new_game()
local foreign = table.concat({
  '  <save save_name="later" ind="5">',
  '    <ext:data v="1">',
  '      <caf\195\169 \195\169t\195\169="x"/>',
  '    </ext:data>',
  '    <notes><![CDATA[ ]]><n/></notes>',
  '  </save>'}, "\n")
set_save_document("<save_data>\n" .. foreign .. "\n</save_data>\n")

key("t")
local saved_at = timer()
local doc = save_document()
assert(doc:find('<save save_name="Quick save" ind="1">', 1, true), doc)
assert(doc:find(foreign, 1, true), doc)
tick(1)
assert(window("popup") == "shown" and text("popup_text") == "Game saved")

-- Through the door before the popup's time is up: it shows in the hall
-- until its count ends (120 ticks from the save), not a tick less.
click(670, 300)
-- The id changes at the click; the hall is built once the room faded out.
tick_until(function() return scene() == "hall" and select(2, scene()) == 0 end, 100, "the hall")
assert(window("popup") == "shown", "the popup came along")
tick_until(function() return window("popup") ~= "shown" end, 200, "the popup's end")
local shown = (timer() - saved_at) / 16
assert(shown >= 120 and shown <= 122, "shown for " .. shown .. " ticks")

autosave()
tick(1)
doc = save_document()
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('ind="1"', 1, true), doc)
assert(doc:find(foreign, 1, true), doc)
