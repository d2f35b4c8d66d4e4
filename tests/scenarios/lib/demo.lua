-- Steps shared by the scenarios that play the bundled demo.
local demo = {}

-- From the main menu's first frame: "New game", then until the first scene
-- has faded in.
function demo.start_new_game()
  tick(10)
  click(110, 282)
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

return demo
