-- The self-closing hint: the small hint's box, higher up so it does not
-- hide the items the player is after. A click closes it sooner.
Window{
  type = "GAutoDeleteHint", name = "hint", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "hint_bg", x = 220, y = 40, image = "images/ui/hint_small.png"},
  {type = "TText", name = "hint_text", x = 236, y = 56, w = 328, h = 60,
    size = 16, color = {250, 236, 200}, align = "center", wrap = true},
}
