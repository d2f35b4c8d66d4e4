-- The health cast while another magic effect plays is not shown, but the
-- hint of the poison it cures still reaches the player once the running
-- effect has ended.

local pond = require("lib.pond")

pond.enter()
pond.eat("toadstool")
assert(timers().poison.state == 0, "poisoned")
tick(1)
show_effect("fire")
assert(window("magic_effect") == "shown")
show_effect("health")
assert(timers().poison.state == 1, "cured all the same")
tick_until(function() return window("magic_effect") == nil end, 200, "the fire's end")
tick_until(function() return window("hint") == "shown" end, 5, "the cure's hint")
assert(text("hint_text") == "The poison has left you.", text("hint_text"))
assert(reports() == 0, reports() .. " report line(s)")
