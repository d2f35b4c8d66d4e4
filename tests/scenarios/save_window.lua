-- The save window from the local menu: five of the numbered slots, all
-- empty at first. A slot and a typed name save the game there (slot 2 for
-- the first row), close the window and say so; the slot then offers its
-- name, and saving it again moves it to the end of the document. Without a
-- name nothing is saved.

local demo = require("lib.demo")

local function open_save_window()
  key("escape")
  demo.click_on("btn_Save")
  assert(top_modal() == "save", tostring(top_modal()))
end

demo.enter_name("Ann")
demo.start_new_game()
open_save_window()
for i = 0, 4 do
  assert(text("save" .. i) == "Empty Slot", "save" .. i .. ": " .. tostring(text("save" .. i)))
end

-- No name: OK does nothing and the window stays.
assert(text("saveedit") == "")
demo.click_on("btn_Ok")
assert(window("save") == "shown")
assert(not save_document():find("<save ", 1, true), "nothing saved without a name")

demo.click_on("save0")
type_text("Foo")
demo.click_on("btn_Ok")
local doc = save_document()
assert(doc:find('<save save_name="Foo" ind="2">', 1, true), doc)
assert(window("save") == nil, "the window closes")
assert(pref("save", 0) == doc, "the save is Ann's")
demo.click_on("btn_Resume")
tick(1)
assert(text("popup_text") == "Game saved")

-- A quick save comes after it; saving slot 2 again moves it to the end.
key("t")
open_save_window()
assert(text("save0") == "Foo")
demo.click_on("save0")
assert(text("saveedit") == "Foo", "the slot offers its name")
demo.click_on("btn_Ok")
doc = save_document()
local _, count = doc:gsub('ind="2"', "")
assert(count == 1, count .. " saves in slot 2")
local last
for ind in doc:gmatch('<save save_name="[^"]*" ind="(%d+)">') do last = ind end
assert(last == "2", "slot 2 is the last save, not " .. tostring(last))
