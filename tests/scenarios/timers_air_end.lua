-- The Vethra's air running out ends the game on the Vethra's own end
-- screen, whose door wakes the player on its first field: a door of the
-- house's end would lead to a room of another world, which no passage can.

local demo = require("lib.demo")

demo.start_new_game()
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")
tick_until(function() return scene() == "the_end" end, 400, "the end")
demo.wait_active("the_end")
click(330, 460) -- the door
demo.wait_active("0_0_0")
assert(reports() == 0, reports() .. " report line(s)")
