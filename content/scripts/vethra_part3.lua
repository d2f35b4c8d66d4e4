-- Part 3 of the Vethra world map, drawn once into a picture.
Window{
  type = "TWindow", name = "map", x = 0, y = 0, w = 400, h = 300,
  {type = "TImage", name = "land", x = 0, y = 0, image = "images/vethra/map_part3.png"},
  {type = "TText", name = "title", x = 0, y = 8, w = 400, h = 22, text = GetString("vethra_part3"),
    size = 16, color = {60, 36, 20}, align = "center"},
}
