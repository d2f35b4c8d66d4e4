-- The kitchen game lost on time. The hurry hint is queued at running tick
-- 600 and shows on the next. The cook book open for 100 ticks stops the
-- clock. On the tick the running time reaches 3600 the game is lost: the
-- burnt spoon in the hand, "cook_lost" set, back to the nursery. The
-- kitchen is then a plain room with a burnt pot and a door back.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
kitchen.enter(true)

kitchen.run_until(599)
tick(1)
assert(minigame().time == 600 and window("hint") ~= "shown")
tick(1)
assert(window("hint") == "shown", "the hurry hint")
assert(minigame().time == 600, "the hint holds the clock")
kitchen.close_hint()

local time = minigame().time
demo.click_on("cook_book_button")
assert(window("cook_book") == "shown")
tick(100)
assert(minigame().time == time, "the open book holds the clock")
click(400, 300, "right")
tick(1)
assert(minigame().time == time + 1)

kitchen.run_until(3599)
assert(minigame().finished == 0 and flag("cook_lost") == "null")
tick(1)
local m = minigame()
assert(m.time == 3600 and m.finished == 1, m.time)
assert(held() == "burnt_spoon" and flag("cook_lost") == "true", tostring(held()))
demo.wait_active("nursery")
kitchen.played("lost")
assert(flag("cook_won") == "null")
assert(reports() == 0, reports() .. " report line(s)")
