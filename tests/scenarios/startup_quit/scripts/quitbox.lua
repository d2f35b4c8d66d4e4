Window{
  type = "TModalWindow", name = "yesnobox", x = 0, y = 0, w = 800, h = 600,
  {type = "TButton", name = "yes", x = 280, y = 320, w = 100, h = 30, label = "yes",
    command = function() CloseWindow() SendGameMessage("quit") end},
  {type = "TButton", name = "no", x = 420, y = 320, w = 100, h = 30, label = "no",
    command = function() CloseWindow() end},
}
