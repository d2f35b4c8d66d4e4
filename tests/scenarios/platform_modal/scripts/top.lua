-- The upper modal: smaller than the screen, so the lower modal's controls stay
-- in sight and within reach of the pointer, though not of its clicks.
top_ticks = 0
Window{
  type = "TModalWindow", name = "top", x = 400, y = 300, w = 300, h = 200,
  {type = "TImage", name = "top_panel", x = 0, y = 0, image = "images/panel.png"},
  {type = "TEditText", name = "top_edit", x = 20, y = 20, w = 200, h = 30},
  {type = "TestTicker", name = "top_ticker", x = 0, y = 0, w = 1, h = 1, counter = "top_ticks"},
  {type = "TButton", name = "close_top", x = 20, y = 140, w = 100, h = 40,
    normal = "images/blue.png", label = GetString("close"),
    command = function() CloseWindow() end},
}
