-- The catapult lost: nobody aims, and the first ship to reach the shore
-- burns the harbour at once, though a stone is in the air (thrown at the
-- far edge, it is still flying when the ship lands). The harbour follows.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
catapult.start()

-- The aim at the far edge, where a stone flies 100 ticks.
key_down("up")
tick_until(function() return select(2, catapult.cursor()) < 160 end, 100, "the aim at the far edge")
key_up("up")
tick_until(function()
  local first = catapult.ships()[1]
  return first and first.y > 440
end, 5000, "a ship near the shore")
assert(flag("harbour_burnt") == "null")
key("space")
assert(minigame().ft > 90)
tick_until(function() return flag("harbour_burnt") == "true" end, 200, "the harbour burnt")
assert(minigame().ft > 0, "the stone is still in the air")
assert(flag("harbour_saved") == "null")
assert(select(2, scene()) == 2, "the game fades out")
demo.wait_active("harbour")
assert(held() == nil)
