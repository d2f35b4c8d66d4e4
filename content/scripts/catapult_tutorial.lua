-- What the catapult game asks of the player, shown once a new game has
-- begun; OK goes back to the game.
DoModal("scripts/menukit.lua")
Window(MenuKit.lesson("catapult_tutorial", "catapult_tutorial_title", "catapult_tutorial_text"))
