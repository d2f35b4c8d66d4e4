-- A notice the player must read: saved data that could not be read, and
-- where a copy of it was kept. The game fills dialog_title and dialog_body;
-- OK closes it.
Window{
  type = "TModalWindow", name = "notice", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "notice_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "notice_title", x = 250, y = 184, w = 300, h = 28,
    text = dialog_title, size = 20, color = {232, 206, 150}, align = "center"},
  {type = "TText", name = "notice_text", x = 256, y = 218, w = 288, h = 150,
    text = dialog_body, size = 14, color = {250, 236, 200}, align = "center", wrap = true},
  {type = "TButton", name = "notice_ok", x = 350, y = 380, w = 100, h = 30, label = GetString("ok"),
    command = function() CloseWindow() end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
