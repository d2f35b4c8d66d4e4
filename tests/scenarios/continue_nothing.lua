-- "Continue" with a quick save but no autosave: the title stays (its panel
-- does not slide out, no entry slide shows) and a notice says there is no
-- game to continue; the quick save then still loads.
local demo = require("lib.demo")

demo.start_new_game()
demo.close_hints()
key("t") -- a quick save, and no autosave
tick(2)
key("escape")
click(400, 342) -- Main menu
tick(1)
assert(top_modal() == "mainmenu")
tick(20)
local px, py = window_rect("left_panel")

click(110, 342) -- Continue
tick(1)
assert(top_modal() == "notice", "no notice: " .. tostring(top_modal()))
assert(text("notice_text"):find("no game to continue", 1, true), text("notice_text"))
tick(100)
local x, y = window_rect("left_panel")
assert(x == px and y == py, "the title's panel slid to " .. x .. ", " .. y)
assert(top_modal() == "notice" and window("thegame") == nil, "a game was started")
demo.click_on("notice_ok")
tick(1)
assert(top_modal() == "mainmenu", tostring(top_modal()))

key("x") -- the quick save
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
demo.wait_active("living_room")
