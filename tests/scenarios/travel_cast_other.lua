-- Invisibility, the rainbow and through space where it cannot lead.
-- Invisibility: "are_we_invisible" reads "true" and the overlay shimmers;
-- its magic effect holds the scene, and two seconds of play after it ends
-- the player is seen again, the overlay's particles gone. The rainbow
-- outside the garden is not cast at all; in the garden it plays, shows its
-- picture and runs its action ("rainbow_seen"). Through space from the old
-- keep, a world the navigator does not lead from, runs the configured
-- action ("no_space_travel"), opens no journey and still spends the magic.

local demo = require("lib.demo")

demo.start_new_game()
demo.unlock_magics()

demo.cast("invisibility")
assert(flag("are_we_invisible") == "true")
assert(select(4, scene()) and window("magic_effect") == "shown", "the effect holds the scene")
local overlay = indicators().invisibility
assert(overlay.active and overlay.particles > 0, "the overlay shimmers")
tick_until(function() return not select(4, scene()) end, 200, "the end of the effect")
-- 2000 ms are 125 heartbeats; the timer sees them out on the next.
tick(125)
assert(flag("are_we_invisible") == "true", "still unseen after 125 heartbeats")
tick(1)
assert(flag("are_we_invisible") == "false", "seen again")
overlay = indicators().invisibility
assert(not overlay.active and overlay.particles == 0, "no overlay particles")

local heard = #sounds()
demo.cast("rainbow")
assert(#sounds() == heard and flag("rainbow_seen") == "null", "no rainbow in the living room")
assert(select(5, magic("rainbow")), "the button stays ready")

demo.go_to("home", "garden")
demo.wait_active("garden")
heard = #sounds()
demo.cast("rainbow")
assert(sounds()[heard + 1] == "sounds/rainbow_magic.wav", tostring(sounds()[heard + 1]))
assert(flag("rainbow_seen") == "true")
assert(window("magic_effect") == "shown")
assert(not select(5, magic("rainbow")), "the button is emptied")

demo.go_to("old_keep", "keep_hall")
demo.wait_active("keep_hall")
heard = #sounds()
demo.cast("through_space")
assert(sounds()[heard + 1] == "sounds/space_magic.wav", tostring(sounds()[heard + 1]))
assert(flag("no_space_travel") == "true")
assert(not select(5, magic("through_space")), "the magic is spent")
assert(navigator() == nil, "no journey")
tick(40)
assert(scene() == "keep_hall" and select(2, scene()) == 1 and not select(4, scene()), "the keep plays on")
