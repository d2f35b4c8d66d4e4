-- How the shooting range is played, shown once when the game first starts.
-- OK closes it and lets the game run on.
DoModal("scripts/menukit.lua")
Window(MenuKit.lesson("tutorial_shooter", "tutorial_shooter_title", "tutorial_shooter_text"))
