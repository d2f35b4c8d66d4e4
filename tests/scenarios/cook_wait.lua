-- The wait after the third dish holds whatever comes. The third dish is
-- served on the very tick the hurry hint is queued (running tick 600): the
-- hint opens over the waiting kitchen on the next tick, and closing it
-- resumes the kitchen. The wait runs on all the same: the game ends on the
-- 30th tick after the dish, won, and the running time stays 600.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
kitchen.enter(false)

kitchen.give_in("onion_cut")
kitchen.put("tomato")
kitchen.done()
kitchen.put("cherry")
kitchen.put("flour")
kitchen.done()
kitchen.put("carrot")
kitchen.put("potato")
kitchen.put("water")
kitchen.click("spoon")
kitchen.click("mixer")
assert(kitchen.stage("king_cook_plate_mixer") == 2)

kitchen.run_until(600)
assert(window("hint") ~= "shown", "queued, not yet shown")
kitchen.done()
local m = minigame()
assert(m.readysum == 300 and m.countdown == 0 and m.paused == 1, "the kitchen waits")
tick(1)
assert(window("hint") == "shown", "the hint opens over the waiting kitchen")
tick(9)
kitchen.close_hint()
assert(minigame().paused == 0, "closing the hint resumes the kitchen")
tick(19)
m = minigame()
assert(m.finished == 0 and m.countdown == 29 and m.time == 600, m.countdown .. " " .. m.time)
tick(1)
m = minigame()
assert(m.finished == 1 and m.time == 600, "ended on the 30th tick, the time still " .. m.time)
assert(flag("cook_won") == "true" and held() == "feast_token", tostring(held()))
demo.wait_active("nursery")
assert(reports() == 0, reports() .. " report line(s)")
