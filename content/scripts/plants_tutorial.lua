-- The herb beds' first lesson: what the plan is for. OK closes it and lets
-- the game go on.
DoModal("scripts/menukit.lua")
Window(MenuKit.lesson("plants_tutorial", "plants_tutorial_title", "tutorial_plants"))
