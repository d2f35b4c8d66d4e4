-- The kitchen game's lesson, shown once a fresh game has run a moment: how
-- the dishes are made and served. OK closes it and lets the kitchen run.
Window{
  type = "TModalWindow", name = "cook_tutorial", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "cook_tutorial_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "cook_tutorial_title", x = 250, y = 184, w = 300, h = 28,
    text = GetString("cook_tutorial_title"), size = 20, color = {232, 206, 150}, align = "center"},
  {type = "TText", name = "cook_tutorial_text", x = 256, y = 218, w = 288, h = 150,
    text = GetString("cook_tutorial_text"), size = 14, color = {250, 236, 200}, align = "center", wrap = true},
  {type = "TButton", name = "cook_tutorial_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
    command = function() CloseWindow() unlockCurrentScene() end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
