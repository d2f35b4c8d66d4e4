-- The big hint: its panel "hint_part" slides up from below the screen
-- (game_screen/hint gives the two positions) and waits for OK.
Window{
  type = "GBigHint", name = "hint", x = 0, y = 0, w = 800, h = 600,
  {type = "TWindow", name = "hint_part", x = 140, y = 600, w = 520, h = 200,
    {type = "TImage", name = "hint_bg", x = 0, y = 0, image = "images/ui/hint_big.png"},
    {type = "TText", name = "hint_text", x = 30, y = 28, w = 460, h = 110,
      size = 18, color = {250, 236, 200}, align = "center", wrap = true},
    {type = "TButton", name = "hint_ok", x = 210, y = 150, w = 100, h = 30, label = GetString("ok"),
      command = function() if onHintOkClick then onHintOkClick() end end},
  },
}
