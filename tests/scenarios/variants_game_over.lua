-- The end of the game: out through the attic's skylight to the end screen.
-- It always counts as paused, so neither "t" (quick save) nor escape (the
-- local menu) does anything there, yet its door still takes a click and
-- wakes the player in the living room, playing again.

local demo = require("lib.demo")

local function wait_active(id) demo.wait_active(id, 200) end

demo.enter_name()
tick(10)
click(110, 282)
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")
click(670, 300) -- to the hall
wait_active("hall")
click(600, 300) -- up the stairs
wait_active("attic")
click(80, 60) -- the skylight
wait_active("the_end")
assert(select(4, scene()) == true, "the end screen counts as paused")

local r, g, b = pixel(400, 480)
assert(r == 0x6a and g == 0x4a and b == 0x2a, "the end screen shows: " .. r .. "," .. g .. "," .. b)

local before = save_document()
key("t")
tick(2)
assert(save_document() == before, "no quick save at the end")
key("escape")
tick(2)
assert(top_modal() == "thegame", "no local menu at the end: " .. tostring(top_modal()))

click(400, 480) -- the door
wait_active("living_room")
assert(select(4, scene()) == false, "playing again")
