-- The lower modal: a flat red button that counts its clicks, an edit field,
-- a ticker that counts this modal's 16 ms animation calls, a pad that logs the
-- right button and the wheel, and a button that opens the upper modal.
lower_clicks = 0
lower_ticks = 0
pad_events = ""
Window{
  type = "TModalWindow", name = "lower", x = 0, y = 0, w = 800, h = 600,
  {type = "TButton", name = "lower_button", x = 50, y = 50, w = 100, h = 40,
    normal = "images/red.png", hover = "images/red_hi.png", pressed = "images/red_lo.png",
    command = function() lower_clicks = lower_clicks + 1 end},
  {type = "TEditText", name = "lower_edit", x = 50, y = 120, w = 200, h = 30},
  {type = "TestTicker", name = "lower_ticker", x = 0, y = 0, w = 1, h = 1, counter = "lower_ticks"},
  {type = "TestTicker", name = "lower_pad", x = 300, y = 50, w = 100, h = 100, counter = "pad_ticks",
    log = "pad_events"},
  {type = "TButton", name = "open_top", x = 50, y = 200, w = 100, h = 40,
    normal = "images/blue.png", label = GetString("open"),
    command = function() DoModal("scripts/top.lua") end},
}
