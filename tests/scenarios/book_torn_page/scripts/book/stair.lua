-- A torn page: it builds its window under the wrong name, so the book finds
-- no "container" and shows the face empty (and says so on stderr).
Window{
  type = "TWindow", name = "torn", x = 0, y = 0, w = 300, h = 400,
  {type = "TText", name = "scrap", x = 20, y = 20, w = 260, h = 30, text = "...", size = 18},
}
