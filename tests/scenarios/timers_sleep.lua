-- Sleep on the Vethra: with "zone_on" set, its first field gives two
-- seconds; when they run out the player falls asleep into the dream, where
-- only the sleeping hints' schedule runs (the air waits) and brings its hint.

local demo = require("lib.demo")

demo.start_new_game()
set_flag("zone_on", "true")
demo.go_to("vethra", "0_0_0")
local zone = timers().sleeping_zone
assert(zone.state == 0 and zone.left == 2000, zone.state .. " " .. zone.left)
demo.wait_active("0_0_0")
assert(timers().vethra.state == 0, "no air either")

tick_until(function() return timers().sleeping_zone.left == 0 end, 130, "the zone's time")
assert(scene() == "0_0_0" and flag("are_we_sleeping") == "null")
tick(1)
assert(flag("slept_scene") == "0_0_0", flag("slept_scene"))
assert(flag("are_we_sleeping") == "true")
local id, state = scene()
assert(id == "dream" and state == 2, "falling asleep: " .. id .. " " .. state)
assert(timers().sleeping_zone.state == 1)
local dreams = timers().sleeping_hints
assert(dreams.state == 0 and dreams.left == 3000, dreams.state .. " " .. dreams.left)

demo.wait_active("dream")
local air = timers().vethra.left
tick(20)
assert(timers().vethra.left == air, "the air waits while the player sleeps")
assert(timers().sleeping_hints.left < 3000, "the dream's schedule runs")
tick_until(function() return window("hint") == "shown" end, 70, "the dream's hint")
assert(text("hint_text") == "Deep in the dream, something calls you to wake.", text("hint_text"))
assert(reports() == 0, reports() .. " report line(s)")
