-- The kitchen game's lesson, shown once a fresh game has run a moment: how
-- the dishes are made and served. OK closes it and lets the kitchen run.
DoModal("scripts/menukit.lua")
Window(MenuKit.lesson("cook_tutorial", "cook_tutorial_title", "cook_tutorial_text"))
