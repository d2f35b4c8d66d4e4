-- The demo story's harbour: along the shore from the pier, up the stair to
-- the catapult, where five ships sunk save the harbour; then back along
-- the boardwalk to the pier.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
local harbour = {}

-- Screen points of the ways: the pier's boardwalk to the harbour, the
-- harbour's stair up to the catapult and its boardwalk back to the pier.
harbour.at = {pier_boardwalk = {150, 472}, stair = {700, 300}, boardwalk = {700, 480}}

-- From the pier (reached through the scene picker, as the chapters before
-- travel) to the harbour and up to its game, played to the win.
function harbour.save()
  demo.go_to("home", "pier")
  demo.wait_active("pier")
  click(unpack(harbour.at.pier_boardwalk))
  demo.wait_active("harbour")
  assert(flag("harbour_saved") == "null", "the harbour before its game")
  click(unpack(harbour.at.stair))
  tick_until(function() return top_modal() == "catapult_tutorial" end, 150, "the catapult's tutorial")
  demo.click_on("catapult_tutorial_ok")
  assert(catapult.play(15000), "the harbour's game did not end")
  assert(flag("harbour_saved") == "true", "the harbour is saved")
  demo.wait_active("harbour")
end

-- The saved harbour left by its boardwalk.
function harbour.leave()
  click(unpack(harbour.at.boardwalk))
  demo.wait_active("pier")
end

return harbour
