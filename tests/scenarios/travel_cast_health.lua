-- The health magic. By the pond a mushroom poisons the player, who then
-- goes to the Vethra, where the air runs out too: the cast stops the poison
-- and gives the air more time, and after the health effect one helped hint
-- comes for each, the Vethra's first. Asleep in the dream, the cast wakes
-- the player instead: are_we_sleeping reads "false", the dream's hints stop,
-- and the wake-up picture (warm) brings the player back to the field they
-- fell asleep on, with no green health picture.

local demo = require("lib.demo")
local pond = require("lib.pond")

pond.enter()
demo.unlock_magics()
pond.eat("mushroom")
assert(timers().poison.state == 0, "poisoned")
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")
assert(timers().vethra.state == 0 and timers().poison.state == 0, "both run")

local heard = #sounds()
demo.cast("health")
assert(sounds()[heard + 1] == "sounds/health_magic.wav", tostring(sounds()[heard + 1]))
assert(timers().poison.state == 1, "the poison is gone")
assert(timers().vethra.state == 0 and timers().vethra.left == 2000, "the air has two more seconds")
assert(select(4, scene()), "the effect holds the scene")
assert(window("hint") == nil, "no hint during the effect")
tick_until(function() return window("hint") == "shown" end, 100, "the first helped hint")
assert(text("hint_text") == "You can breathe a little longer.", text("hint_text"))
click(400, 100)
tick(1)
assert(window("hint") == "shown" and text("hint_text") == "The poison has left you.", text("hint_text"))
click(400, 100)
tick(1)
assert(window("hint") == nil, "two hints, no more")

-- Asleep: the zone of the first field sends the player into the dream.
demo.go_to("home", "living_room")
demo.wait_active("living_room")
tick_until(function() return select(5, magic("health")) end, 20, "the health button refilled")
set_flag("vethra_atmosphere", "true")
set_flag("zone_on", "true")
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")
tick_until(function() return scene() == "dream" end, 200, "falling asleep")
demo.wait_active("dream")
assert(flag("are_we_sleeping") == "true")

heard = #sounds()
demo.cast("health")
assert(sounds()[heard + 1] == "sounds/health_magic.wav")
assert(flag("are_we_sleeping") == "false")
assert(timers().sleeping_hints.state == 1, "the dream's hints stop")
assert(not select(5, magic("health")), "the button is emptied")
local warmest = 0
tick_until(function()
  local r, g = pixel(400, 300)
  assert(g <= r, "no green health picture: " .. r .. "," .. g)
  warmest = math.max(warmest, r)
  return scene() == "0_0_0"
end, 60, "waking on the field")
assert(warmest > 200, "the wake-up picture showed: " .. warmest)
