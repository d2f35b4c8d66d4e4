-- The gallery's plaque, laid out once into a picture drawn on the wall. The
-- game takes the window named "window".
Window{
  type = "TWindow", name = "window", x = 0, y = 0, w = 100, h = 40,
  {type = "TText", name = "sign_text", x = 0, y = 8, w = 100, h = 30,
    text = GetString("sign_gallery"), size = 16, color = {232, 206, 150}, align = "center"},
}
