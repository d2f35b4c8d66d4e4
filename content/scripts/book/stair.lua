-- The stair between the floors: words only, no picture.
Window{
  type = "TWindow", name = "container", x = 0, y = 0, w = 300, h = 400,
  {type = "TText", name = "heading", x = 20, y = 20, w = 260, h = 30, text = "The stair",
    size = 18, color = {60, 36, 20}, align = "center"},
  {type = "TText", name = "lines", x = 30, y = 70, w = 240, h = 60, text = "Up it goes, past the landing.",
    size = 14, color = {60, 36, 20}},
}
