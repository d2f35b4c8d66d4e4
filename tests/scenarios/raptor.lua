-- The guard in the gallery: seen, the first click makes it look at the
-- player and the next one makes it bite, the bite counting when the bite
-- is over; clicks while it moves do nothing. Unseen, it takes the dagger,
-- which goes back to the gallery's floor, and gives its claw.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()

local function guard() return select(2, item("guard")) end

click(250, 340)
assert(guard() == "look")
assert(flag("guard_looked") == "true")
click(250, 340)
assert(guard() == "look", "a click while it looks does nothing")
tick_until(function() return guard() == "normal" end, 60, "the look's end")
assert(flag("guard_bit") == "null")

click(250, 340)
assert(guard() == "bite")
assert(flag("guard_bit") == "null", "the bite counts when it is over")
tick_until(function() return flag("guard_bit") == "true" end, 60, "the bite's end")
assert(guard() == "bitten")

-- Unseen: a hand without the key is refused, the dagger is taken.
set_flag("are_we_invisible", "true")
click(250, 340)
assert(flag("guard_refused") == "true", "an empty hand is refused")
click(230, 470) -- the dagger
assert(held() == "dagger")
assert(registry("dagger") == 1)
local seen = #events()
click(250, 340)
assert(held() == "claw", "the claw for the dagger: " .. tostring(held()))
assert(registry("dagger") == 0, "the dagger is back in its scene")
assert(demo.events_since(seen):find("item_scene_return dagger", 1, true), demo.events_since(seen))
assert(flag("guard_cut") == "true")

-- The gallery built again has the dagger on its floor once more.
click(60, 300)
demo.wait_active("study")
click(195, 300)
demo.wait_active("gallery")
assert(item("dagger") == "dagger")
assert(held() == "claw")
assert(reports() == 0, reports() .. " report line(s)")
