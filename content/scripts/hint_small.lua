-- The small hint: a box low on the screen. The window covers the whole
-- screen, so a click anywhere closes it.
Window{
  type = "GSmallHint", name = "hint", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "hint_bg", x = 220, y = 400, image = "images/ui/hint_small.png"},
  {type = "TText", name = "hint_text", x = 236, y = 416, w = 328, h = 60,
    size = 16, color = {250, 236, 200}, align = "center", wrap = true},
}
