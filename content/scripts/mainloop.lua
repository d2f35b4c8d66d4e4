-- The first screen. Until the application window and the main menu arrive,
-- it is a title over the backdrop and a way out.
Window{
  type = "TModalWindow", name = "demo", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "backdrop", x = 0, y = 0, image = "images/backdrop.png"},
  {type = "TText", name = "title", x = 100, y = 170, w = 600, h = 80,
    text = GetString("game_title"), font = "title", size = 64, color = {232, 206, 150}, align = "center"},
  {type = "TText", name = "subtitle", x = 100, y = 270, w = 600, h = 30,
    text = GetString("demo_subtitle"), size = 18, color = {180, 196, 210}, align = "center"},
  {type = "TButton", name = "btn_Quit", x = 310, y = 420, w = 180, h = 44,
    normal = "images/button_normal.png", hover = "images/button_hover.png",
    pressed = "images/button_pressed.png",
    label = GetString("quit"), size = 20, color = {250, 236, 200},
    command = function() SendGameMessage("quit") end},
}
