-- The game's screen: the game window with its panel, and the application
-- window that carries the pointer over them in the game's own look.
Window{
  type = "TModalWindow", name = "thegame", x = 0, y = 0, w = 800, h = 600,
  {type = "GameWindow", name = "gamewnd", x = 0, y = 0, w = 800, h = 600,
    {type = "GamePanel", name = "game_panel", x = 0, y = 500, w = 800, h = 100},
  },
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = true},
}
