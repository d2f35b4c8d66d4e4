-- The herb beds' first lesson: what the plan is for. OK closes it and lets
-- the game go on.
Window{
  type = "TModalWindow", name = "plants_tutorial", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "plants_tutorial_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "plants_tutorial_text", x = 256, y = 200, w = 288, h = 170,
    text = GetString("tutorial_plants"), size = 14, color = {250, 236, 200}, align = "center", wrap = true},
  {type = "TButton", name = "plants_tutorial_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
    command = function() CloseWindow() unlockCurrentScene() end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
