-- The load window lists the player's saves in slot order. From the local
-- menu one click chooses a save and a second click on it loads it at once,
-- closing the menus (a save that cannot be loaded leaves them open and says
-- so on screen); from
-- the title a double click slides the menu out and starts the game from
-- that save.

local demo = require("lib.demo")

-- The typer has its own name: Lua's type still tells a value's kind.
assert(type(demo) == "table" and type(type_text) == "function")

demo.enter_name("Ann")
demo.start_new_game()
key("t") -- the quick save, in the living room
click(670, 300) -- to the hall
demo.wait_active("hall")
key("escape")
demo.click_on("btn_Save")
demo.click_on("save0")
type_text("Foo")
demo.click_on("btn_Ok") -- slot 2, in the hall

demo.click_on("btn_Load")
assert(top_modal() == "load")
assert(text("load0") == "Quick save" and text("load1") == "Foo", text("load0") .. ", " .. text("load1"))
for i = 2, 4 do
  assert(window("load" .. i) == "hidden", "load" .. i)
end
assert(window("loadslider") == "hidden", "two saves need no slider")

demo.click_on("load1")
assert(text("selected_slot") == "Foo")
assert(top_modal() == "load" and scene() == "hall", "one click loads nothing")

-- Another slot in between only moves the choice; its second click loads.
demo.click_on("load0")
assert(top_modal() == "load")
demo.click_on("load0")
assert(window("load") == nil and window("localmenu") == nil, "both menus close")
assert(top_modal() == "thegame")
demo.wait_active("living_room")

-- A save gone by the time it is chosen loads nothing and leaves the menus
-- open, so the player is not left in a paused scene.
key("escape")
demo.click_on("btn_Load")
local saved, before = save_document(), reports()
set_save_document("<save_data></save_data>")
demo.click_on("load1")
demo.click_on("load1")
assert(window("load") == "shown" and window("localmenu") == "shown")
assert(reports() == before + 1)
assert(select(4, scene()) == true, "still paused under the menus")
-- The player is told so on screen, over the menus.
tick(1)
assert(top_modal() == "notice" and text("notice_text"):find("cannot be loaded", 1, true),
  "the notice: " .. tostring(top_modal()))
demo.click_on("notice_ok")
assert(top_modal() == "load")
set_save_document(saved)
demo.click_on("btn_Cancel")

-- From the title.
demo.click_on("btn_MainMenu")
tick(10)
demo.click_on("btn_Load")
assert(top_modal() == "loadmenu")
tick(10) -- the panel slides in
demo.click_on("load1")
demo.click_on("load1")
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
demo.wait_active("hall")
assert(window("loadmenu") == nil)
