-- Part 0 of the Vethra world map, drawn once into a picture. The picture
-- starts at the screen's corner and reaches past the grid, whose cells lie
-- at (250, 150): the map shows every part of it, the marker included.
Window{
  type = "TWindow", name = "map", x = 0, y = 0, w = 600, h = 400,
  {type = "TImage", name = "land", x = 200, y = 100, image = "images/vethra/map_part0.png"},
  {type = "TText", name = "title", x = 200, y = 108, w = 400, h = 22, text = GetString("vethra_part0"),
    size = 16, color = {60, 36, 20}, align = "center"},
}
