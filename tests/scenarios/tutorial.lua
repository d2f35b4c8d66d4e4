-- The nursery is a tutorial scene: its star is drawn over the game panel;
-- the practice box lights only once the lesson's variable allows it, and
-- goes out only once the other one does. The tutorial's window scrolls its
-- text by the Lua functions and slides away on closeTutorial(). While
-- "tut_wait" is "true" the room holds still: a door clicked then never
-- finishes its fade.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
demo.start_new_game()
nursery.go_to_nursery()

-- The star lies over the panel's part of the screen.
tick(1)
local r, g, b = pixel(206, 545)
assert(r == 255 and g == 255 and b == 0, "the star: " .. r .. "," .. g .. "," .. b)

local BOX = "living_room_tutorial_matches_box"
local function current() return (item(BOX)) end
click(165, 465)
assert(held() == BOX)
click(400, 200, "right")
assert(current() == BOX and flag("match_lit") ~= "true", "not lit before the lesson allows it")
set_flag("tut_burn", "true")
click(400, 200, "right")
assert(current() == "match", "lit: " .. tostring(current()))
click(400, 200, "right")
assert(current() == "match", "it burns on until putting out is allowed")
set_flag("tut_off", "true")
click(400, 200, "right")
assert(current() == BOX)
click(400, 200)
assert(held() == nil, "back on its shelf")

-- The window: the mask's top row, on screen at y 100 once the panel rests,
-- shows which of the five bands is at the top.
game_lua("DoModal('scripts/tutorial.lua')")
tick(4)
assert(top_modal() == "tutorialmenu")
local bands = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}, {200, 40, 200}}
local function band()
  local r, g, b = pixel(400, 101)
  for i, c in ipairs(bands) do
    if math.abs(r - c[1]) < 8 and math.abs(g - c[2]) < 8 and math.abs(b - c[3]) < 8 then return i - 1 end
  end
  return "none " .. r .. "," .. g .. "," .. b
end
assert(band() == 0, tostring(band()))
game_lua("scrollTutorialAbsolute(-1000)")
tick(1)
assert(band() == 3, "the last page: " .. tostring(band()))
game_lua("scrollTutorialAbsolute(50)")
tick(1)
assert(band() == 0, "the top: " .. tostring(band()))
game_lua("scrollTutorialPercent(0.5)")
tick(1)
assert(band() == 1, "half way: " .. tostring(band()))

game_lua("closeTutorial()")
tick(3)
assert(top_modal() == "tutorialmenu", "still sliding out")
tick(1)
assert(top_modal() ~= "tutorialmenu", "closed once the panel has slid out")

-- Held still (the third state, after the plain room and the lesson): the
-- door's fade never ends, the study is never built.
set_flag("tut_wait", "true")
tick_until(function() return select(3, scene()) == 2 and not select(4, scene()) end, 20, "the still state")
click(60, 300)
tick(60)
assert(select(2, scene()) == 2, "still in its fade: " .. select(2, scene()))
assert(reports() == 0, reports() .. " report line(s)")
