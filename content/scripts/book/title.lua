-- The quest book's title page: the content of the first sheet's front.
Window{
  type = "TWindow", name = "container", x = 0, y = 0, w = 300, h = 400,
  {type = "TText", name = "title", x = 20, y = 20, w = 260, h = 30, text = "Tolvane",
    font = "title", size = 24, color = {60, 36, 20}, align = "center"},
  {type = "TImage", name = "plate", x = 30, y = 60, image = "images/book/plate_title.png"},
}
