-- The quit question. "No" lets the game window resume the scene it paused,
-- when there is one.
Window{
  type = "TModalWindow", name = "yesnobox", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "quit_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "quit_question", x = 250, y = 230, w = 300, h = 40,
    text = GetString("quit_question"), align = "center"},
  {type = "TButton", name = "yes", x = 280, y = 320, w = 100, h = 30, label = GetString("yes"),
    command = function() CloseWindow() SendGameMessage("quit") end},
  {type = "TButton", name = "no", x = 420, y = 320, w = 100, h = 30, label = GetString("no"),
    command = function() CloseWindow() if onCancelExit then onCancelExit() end end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
