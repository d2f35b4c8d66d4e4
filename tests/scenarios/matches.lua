-- The matches box in the nursery. Used in the hand it lights a match: the
-- held item stands for "match", the match variable is set and the box burns
-- its sound; used again the match goes out and the box variable is set.
-- The last match, left to burn its 30 ticks, empties the box: it refills
-- and lies in its place in the nursery again. A burning match lights the
-- candle and goes out; on the lamp's wick it gives way to the lit lamp.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
demo.start_new_game()
nursery.go_to_nursery()

local BOX = "living_room_matches_box"
local function current() return (item(BOX)) end

click(245, 465)
assert(held() == BOX and current() == BOX)
set_flag("match_lit", "false")
set_flag("box_closed", "false")

local heard = #sounds()
click(400, 200, "right")
assert(current() == "match", tostring(current()))
assert(held() == BOX, "the hand holds the box by its own name")
assert(flag("match_lit") == "true")
assert(nursery.registry(BOX) == "1,1,2,0", nursery.registry(BOX))
assert(sounds()[heard + 1] == "sounds/burn.wav", tostring(sounds()[heard + 1]))
assert(select(2, item(BOX)) == "stMatchAnimation")

click(400, 200, "right")
assert(current() == BOX and flag("box_closed") == "true")
assert(nursery.registry(BOX) == "1,0,2", nursery.registry(BOX))

-- The second match lit and put out, the last lit and left to burn.
click(400, 200, "right")
click(400, 200, "right")
click(400, 200, "right")
assert(current() == "match" and nursery.registry(BOX) == "1,1,0,0", nursery.registry(BOX))
set_flag("box_closed", "false")
tick(29)
assert(current() == "match", "still burning after 29 ticks")
tick(1)
assert(held() == nil, "the spent box left the hand")
assert(nursery.registry(BOX) == "0,0,3", nursery.registry(BOX))
assert(flag("box_closed") == "true")
local name, state, _, x, y = item(BOX)
assert(name == BOX and state == "stScene" and x == 220 and y == 450, state .. " " .. x .. "," .. y)

-- Refilled, it lights again. A burning match lights the candle and goes
-- out in the hand.
click(245, 465)
click(400, 200, "right")
assert(current() == "match" and nursery.registry(BOX) == "1,1,2,0", nursery.registry(BOX))
click(358, 340)
assert(flag("candle_lit") == "true")
assert(held() == BOX and current() == BOX, "held and out: " .. tostring(current()))
assert(nursery.registry(BOX) == "1,0,2", nursery.registry(BOX))

-- On the lamp's wick the match gives way to the lit lamp.
click(400, 200, "right")
assert(current() == "match")
click(560, 220)
assert(held() == "lit_lamp", tostring(held()))
assert(item(BOX) == nil, "the box went with the match")
tick(40)
assert(held() == "lit_lamp")
assert(reports() == 0, reports() .. " report line(s)")
