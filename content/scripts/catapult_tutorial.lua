-- What the catapult game asks of the player, shown once a new game has
-- begun; OK goes back to the game.
Window{
  type = "TModalWindow", name = "catapult_tutorial", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "catapult_tutorial_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "catapult_tutorial_title", x = 250, y = 184, w = 300, h = 28,
    text = GetString("catapult_tutorial_title"), size = 20, color = {232, 206, 150}, align = "center"},
  {type = "TText", name = "catapult_tutorial_text", x = 256, y = 218, w = 288, h = 150,
    text = GetString("catapult_tutorial_text"), size = 14, color = {250, 236, 200}, align = "center",
    wrap = true},
  {type = "TButton", name = "catapult_tutorial_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
    command = function() CloseWindow() unlockCurrentScene() end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
