-- Entering the fishing game empties the hand. A click on the water casts:
-- the rod rises 400 pixels in 10 ticks, waits 50 and drops the float where
-- the click was, with a splash. Clicks while it moves do nothing; at home a
-- click off the water only records the point.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
demo.start_new_game()
give("ring")
go("pier_fishing")
assert(held() == nil, "entering emptied the hand")
assert(panel().kind == 9, "the fishing panel")
fishing.wait_home()
local m = minigame()
assert(m.rod_x == 400 and m.rod_y == 300, m.rod_x .. "," .. m.rod_y)

click(300, 350)
tick(9)
assert(minigame().rod_y == -60)
tick(1)
m = minigame()
assert(m.rod_y == -100 and m.state == 0 and m.substate == 8, m.rod_y)
click(500, 300) -- during the cast: nothing
tick(50)
m = minigame()
assert(m.state == 0 and m.wait_time == 50 and m.click_x == 300, m.wait_time)
local splashes = #sounds()
tick(1)
m = minigame()
assert(m.state == 1 and m.rod_x == 300 and m.rod_state == "drop", m.state .. " " .. m.rod_state)
local played = sounds()
assert(#played == splashes + 1 and played[#played]:find("kick_splash", 1, true), played[#played])
click(500, 300) -- while the float drops: nothing
assert(minigame().click_x == 300 and minigame().state == 1)

-- Back home (a strike and its landing), a click off the water is kept and
-- casts nothing.
fishing.wait_state(3, 4)
click(400, 300)
fishing.wait_home()
click(50, 100)
tick(1)
m = minigame()
assert(m.click_x == 50 and m.click_y == 100 and m.substate == 0 and m.rod_y == 300)
