-- A save document that no longer reads, found during play: the quick load
-- finds nothing to load, the document is kept aside under the first free
-- "save_damaged" key (a second damage does not replace the first copy),
-- and the player is told on screen where it was kept.

local demo = require("lib.demo")

demo.start_new_game()

local function damage_and_load(damaged, kept_as)
  set_save_document(damaged)
  key("x")
  tick(1)
  assert(window("notice") == "shown", "the notice")
  local said = text("notice_text")
  assert(said:find(kept_as, 1, true) and said:find("prefs.xml", 1, true), said)
  assert(pref(kept_as, 0) == damaged, kept_as) -- the player's, as the saves were
  assert(save_document() == "<save_data></save_data>")
  assert(scene() == "living_room", "the game goes on")
  click(400, 395) -- OK
  tick(1)
  assert(window("notice") == nil)
end

damage_and_load('<save_data><save ind="1"', "save_damaged")
damage_and_load("<other/>", "save_damaged.1")
assert(pref("save_damaged", 0) == '<save_data><save ind="1"')

-- Saving works again afterwards.
key("t")
assert(save_document():find('ind="1"', 1, true))
