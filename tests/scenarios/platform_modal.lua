-- A window built from a Lua script answers clicks and shows on screen; a second
-- modal on top takes every key and click, and the one below stands still
-- until the top one is closed.

local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

local function number(global)
  return tonumber(game_lua("return " .. global))
end

local RED, RED_HOVER, RED_PRESSED = "200,40,40", "230,90,90", "120,20,20"
local PANEL = "30,120,60"

-- The game's own start-up may report what this window-only tree lacks; from
-- here on nothing may be reported.
local reported = reports()

-- The lower modal as its script built it. The corner of the button is clear
-- of its label, so the pixel is the picture's own colour.
tick(1)
assert(top_modal() == "lower", "top modal: " .. tostring(top_modal()))
assert(window("lower_button") == "shown")
assert(window("top_edit") == nil)
assert(colour(52, 52) == RED, colour(52, 52))

-- Hover, press and release change the button's look; the release runs its
-- command once.
move(100, 70)
tick(1)
assert(colour(52, 52) == RED_HOVER, colour(52, 52))
press(100, 70)
tick(1)
assert(colour(52, 52) == RED_PRESSED, colour(52, 52))
assert(number("lower_clicks") == 0, "the command ran on the press")
release(100, 70)
tick(1)
assert(number("lower_clicks") == 1)
move(300, 400)
tick(1)
assert(colour(52, 52) == RED, colour(52, 52))

-- A release outside the button is no click.
press(100, 70)
release(300, 400)
tick(1)
assert(number("lower_clicks") == 1, "a release away from the button clicked it")

-- The lower modal's animation runs once per 16 ms tick.
local ticks = number("lower_ticks")
tick(10)
assert(number("lower_ticks") == ticks + 10, "lower ticks: " .. number("lower_ticks") - ticks)

-- The edit field takes focus on a click and real text.
click(100, 135)
key("a")
tick(1)
assert(text("lower_edit") == "a", tostring(text("lower_edit")))

-- The right button and the wheel reach the window under the pointer as
-- extended mouse events: right down 1 and up 0, wheel up 4 and down 5.
click(350, 100, "right")
move(360, 110)
wheel(2)
wheel(-1)
tick(1)
assert(game_lua("return pad_events") == "1 0 4 4 5", game_lua("return pad_events"))

-- Open the upper modal from a button of the lower one.
click(100, 220)
tick(1)
assert(top_modal() == "top", "top modal: " .. tostring(top_modal()))
assert(window("top_edit") == "shown")
assert(colour(405, 305) == PANEL, colour(405, 305))
assert(colour(52, 52) == RED, "the lower modal is no longer drawn")

-- Clicks on the lower button, outside the top modal, reach nothing below.
click(100, 70)
tick(1)
assert(number("lower_clicks") == 1, "a click went through to the lower modal")
press(100, 70)
tick(1)
assert(colour(52, 52) == RED, "the lower button took a press: " .. colour(52, 52))
release(100, 70)
tick(1)

-- Nor do the right button and the wheel.
click(350, 100, "right")
wheel(1)
tick(1)
assert(game_lua("return pad_events") == "1 0 4 4 5", "went through: " .. game_lua("return pad_events"))

-- Keys go to the top modal only: not to the lower field that held the focus,
-- and, once it is clicked, into the top field.
key("x")
tick(1)
assert(text("lower_edit") == "a", "a key went through: " .. tostring(text("lower_edit")))
click(500, 335)
key("B")
key("o")
tick(1)
assert(text("top_edit") == "Bo", tostring(text("top_edit")))
assert(text("lower_edit") == "a")

-- The lower modal's clock stands still under the top one; the top one's runs.
local lower, top = number("lower_ticks"), number("top_ticks")
tick(8)
assert(number("lower_ticks") == lower, "the lower modal animated under the top one")
assert(number("top_ticks") == top + 8, "top ticks: " .. number("top_ticks") - top)

-- The top modal closes itself from its own button's command.
click(470, 460)
tick(1)
assert(top_modal() == "lower", "top modal: " .. tostring(top_modal()))
assert(window("top_edit") == nil)
assert(colour(405, 305) ~= PANEL, "the closed modal is still drawn")

-- The lower modal picks up where it stood: its clock moves again (no burst of
-- the time it spent below), its button answers, its field has its focus back.
lower = number("lower_ticks")
tick(5)
assert(number("lower_ticks") == lower + 5, "lower ticks after the pop: " .. number("lower_ticks") - lower)
click(100, 70)
tick(1)
assert(number("lower_clicks") == 2)
key("c")
tick(1)
assert(text("lower_edit") == "ac", tostring(text("lower_edit")))

-- The renderer losing its textures changes nothing on screen: the next frame
-- draws the same pixels.
move(300, 400)
tick(1)
assert(colour(52, 52) == RED, colour(52, 52))
lose_textures()
tick(1)
assert(colour(52, 52) == RED, "after the textures were lost: " .. colour(52, 52))

-- A screenshot is a PNG of the last frame.
local shot = os.tmpname()
screenshot(shot)
local file = assert(io.open(shot, "rb"))
local signature = file:read(8)
file:close()
os.remove(shot)
assert(signature == "\137PNG\r\n\26\n", "the screenshot is no PNG")

assert(reports() == reported, reports() - reported .. " lines reported on stderr")
