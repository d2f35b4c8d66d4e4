-- The first story page: the house in the dark.
Window{
  type = "TWindow", name = "container", x = 0, y = 0, w = 300, h = 400,
  {type = "TText", name = "heading", x = 20, y = 20, w = 260, h = 30, text = "The dark house",
    size = 18, color = {60, 36, 20}, align = "center"},
  {type = "TImage", name = "plate", x = 30, y = 60, image = "images/book/plate_house.png"},
}
