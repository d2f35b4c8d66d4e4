-- The mouse hole in the gallery: the baited trap is set there and starts
-- the mouse-trap timer; once the timer's variable says a mouse is caught,
-- the next visit shows it; the catch gives a whisker, the empty trap comes
-- back into the hand, and a wrong item is refused with a sound.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()

local function trap() return select(2, item("trap")) end
assert(trap() == "0")

click(330, 470) -- the baited trap on the floor
assert(held() == "trap_ready")
click(530, 400)
assert(trap() == "1" and registry("trap") == 1)
assert(held() == nil, "the trap is used up")
assert(timers().mousetrap.state == 0, "setting the trap starts its timer")

-- The timer catches a mouse; the next visit shows it.
tick_until(function() return flag("mouse_caught") == "true" end, 130, "the catch")
click(60, 300)
demo.wait_active("study")
click(195, 300)
demo.wait_active("gallery")
assert(trap() == "2", "a mouse: " .. tostring(trap()))
assert(flag("mouse_caught") == "false", "seen once")
assert(registry("trap") == 2)

click(530, 400)
assert(held() == "whisker" and trap() == "3")
click(530, 400)
assert(held() == "whisker" and trap() == "3", "a full hand takes nothing from the trap")
click(480, 200) -- the whisker onto the shelf
assert(held() == nil)
click(530, 400)
assert(held() == "trap_empty" and trap() == "0")

local heard = #sounds()
click(530, 400)
assert(held() == "trap_empty" and trap() == "0", "only the baited trap is set")
assert(sounds()[heard + 1] == "sounds/impossible.wav", tostring(sounds()[heard + 1]))
assert(reports() == 0, reports() .. " report line(s)")
