-- The words cut into the stone tablet, laid out once into a picture drawn
-- over it. The game takes the window named "window".
Window{
  type = "TWindow", name = "window", x = 0, y = 0, w = 220, h = 130,
  {type = "TText", name = "tablet_text", x = 0, y = 0, w = 220, h = 130,
    text = GetString("note_tablet"), size = 18, color = {40, 40, 36}, align = "center", wrap = true},
}
