-- The options window from the title: its controls are heard at once; Cancel
-- puts back the stored volumes and the display mode found on opening, OK
-- stores what is set for the current player.

local demo = require("lib.demo")

local function open_options()
  demo.click_on("btn_Options")
  tick(10) -- the panel slides in
  assert(top_modal() == "optionsmenu")
end

local function close(button)
  demo.click_on(button)
  tick(10) -- the panel slides out
  assert(top_modal() == "mainmenu")
end

demo.enter_name("Ann")
tick(60) -- the menu's music fades in
assert(volume(1001) == 1)

-- The music slider dragged to its left end, then Cancel.
open_options()
local x, y, w, h = window_rect("musiclevelslider")
press(x + w - 8, y + h / 2)
release(x - 40, y + h / 2)
assert(volume(1001) == 0)
close("btn_Cancel")
assert(volume(1001) == 1)
assert(pref("musiclevel", 0) == "1000")

-- Sound effects off, then OK.
open_options()
demo.click_on("mutesfx")
assert(window("sfxlevelslider") == "hidden")
assert(volume(1000) == 0)
close("btn_Ok")
assert(pref("soundoff", 0) == "1" and pref("soundlevel", 0) == "1000")
assert(volume(1000) == 0)

-- To a window and back with Cancel.
assert(pref("fullscreen") == nil)
open_options()
demo.click_on("fullscreen")
assert(pref("fullscreen") == "0")
close("btn_Cancel")
assert(pref("fullscreen") == "1")
