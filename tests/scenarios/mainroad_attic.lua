-- Up to the attic, a hidden-object scene over the whole screen: its items
-- are taken by their shape and put back like any other, and the hatch leads
-- down again.

local demo = require("lib.demo")

local function wait_active(id) demo.wait_active(id, 200) end

demo.enter_name()
tick(10)
click(110, 282)
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")
click(670, 300) -- to the hall
wait_active("hall")
click(600, 300) -- up the stairs
wait_active("attic")
assert(registry("ring") == 0)

click(580, 440) -- the middle of the ring: its mask is empty there
assert(held() == nil)
click(568, 440) -- the ring's band (its middle is empty)
assert(held() == "ring")
assert(registry("ring") == 1)
click(400, 150) -- empty attic
assert(held() == nil)
assert(registry("ring") == 0)

click(400, 555) -- the hatch
wait_active("hall")
