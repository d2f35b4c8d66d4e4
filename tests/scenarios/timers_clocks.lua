-- The story's clocks: the mouse trap set in the gallery catches a mouse
-- after two seconds of play; the scroll found by the pond is late after two
-- seconds there, and the mission that sees it late completes the quest,
-- which stops its clock.

local demo = require("lib.demo")
local pond = require("lib.pond")

demo.start_new_game()
demo.go_to_gallery()
assert(timers().mousetrap.state == 1, "no trap set yet")
click(330, 470) -- the baited trap on the floor
assert(held() == "trap_ready")
click(530, 400)
local trap = timers().mousetrap
assert(trap.state == 0 and trap.left == 2000, trap.state .. " " .. trap.left)
-- 125 heartbeats bring it to exactly 0; the next one catches the mouse.
tick(125)
assert(timers().mousetrap.left == 0 and flag("mouse_caught") == "null")
tick(1)
assert(flag("mouse_caught") == "true", "caught after two seconds")
assert(timers().mousetrap.state == 1, "the trap's clock stops")

-- Down to the pond: the scroll's clock starts as the pond comes into view.
click(60, 300)
demo.wait_active("study")
click(660, 200)
demo.wait_active("garden")
assert(timers().greece_scroll.state == 1)
click(720, 485)
demo.wait_active("pond")
local scroll = timers().greece_scroll
assert(scroll.state == 0 and scroll.left == 2000, scroll.state .. " " .. scroll.left)
assert(task("find_the_scroll") == true)
tick_until(function() return flag("scroll_late") == "true" end, 130, "the scroll's lateness")
assert(task("too_late_for_the_scroll") == true)
assert(timers().greece_scroll.state == 1, "complete: the clock stops")
assert(mission("the_scroll_by_the_pond") == true)
local left = timers().greece_scroll.left
tick(20)
assert(timers().greece_scroll.left == left, "and stays stopped")
assert(reports() == 0, reports() .. " report line(s)")
