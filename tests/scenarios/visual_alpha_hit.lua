-- An item on the study's desk is hit through its picture's alpha: the lamp's
-- description here asks for the alpha hit test, and its round body leaves
-- the corners of its 40 by 40 square transparent. Resting on a transparent
-- corner names nothing and an empty hand's click there leaves the lamp
-- lying; on an opaque pixel the caption names it and the click takes it.

local demo = require("lib.demo")

local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

local function wait_active(id) demo.wait_active(id, 300) end

local CAPTION_END = "64,40,16"
local BODY = "243,226,168" -- the lamp's opaque middle

demo.enter_name()
tick(10)
click(110, 282) -- New game
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")
local reported = reports()
click(320, 350)
assert(held() == "lamp")
click(670, 300)
wait_active("hall")
click(270, 300)
wait_active("study")
click(400, 200)
assert(held() == nil and registry("lamp") == 4, "the lamp lies on the desk")
key("t")
local x, y = save_document():match('<study_desk>%s*<lamp x="(%-?%d+)" y="(%-?%d+)"/>')
x, y = tonumber(x), tonumber(y)
assert(x and y, "the desk is recorded")
tick(130) -- the saved message goes

-- Two points inside the lamp's square: a corner the desk shows through, and
-- the body.
local cx, cy = x + 4, y + 4
local bx, by = x + 20, y + 20
assert(colour(bx, by) == BODY, "the body is drawn: " .. colour(bx, by))
assert(colour(cx, cy) == colour(x - 2, cy), "the desk shows through the corner: " .. colour(cx, cy))
move(cx, cy)
tick(11)
assert(colour(cx + 30, cy + 1) ~= CAPTION_END, "resting on the corner names nothing")
click(cx, cy)
tick(1)
assert(held() == nil and registry("lamp") == 4, "a click on the corner leaves the lamp lying")

move(bx, by)
tick(11)
assert(colour(bx + 30, by + 1) == CAPTION_END, "resting on the body names the lamp: " .. colour(bx + 30, by + 1))
click(bx, by)
assert(held() == "lamp" and registry("lamp") == 1, "a click on the body takes it")
assert(reports() == reported, "reports on the way")
