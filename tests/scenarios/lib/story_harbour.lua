-- The demo story's harbour: along the shore from the pier, up the stair to
-- the catapult, where five ships sunk save the harbour; then back along
-- the boardwalk to the pier.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
local walk = require("lib.walk")
local harbour = {}

-- To the harbour and up to its game, played to the win.
function harbour.save()
  walk.to("harbour")
  assert(flag("harbour_saved") == "null", "the harbour before its game")
  walk.to("harbour_catapult")
  tick_until(function() return top_modal() == "catapult_tutorial" end, 150, "the catapult's tutorial")
  demo.click_on("catapult_tutorial_ok")
  assert(catapult.play(15000), "the harbour's game did not end")
  assert(flag("harbour_saved") == "true", "the harbour is saved")
  demo.wait_active("harbour")
end

-- The saved harbour left by its boardwalk.
function harbour.leave()
  walk.to("pier")
end

return harbour
