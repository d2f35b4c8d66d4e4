-- How the shooting range is played, shown once when the game first starts.
-- OK closes it and lets the game run on.
Window{
  type = "TModalWindow", name = "tutorial_shooter", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "tutorial_shooter_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "tutorial_shooter_title", x = 250, y = 184, w = 300, h = 28,
    text = GetString("tutorial_shooter_title"), size = 20, color = {232, 206, 150}, align = "center"},
  {type = "TText", name = "tutorial_shooter_text", x = 256, y = 218, w = 288, h = 150,
    text = GetString("tutorial_shooter_text"), size = 14, color = {250, 236, 200}, align = "center", wrap = true},
  {type = "TButton", name = "tutorial_shooter_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
    command = function() CloseWindow() unlockCurrentScene() end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
