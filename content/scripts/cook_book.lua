-- The kitchen's cook book: a click on the left half turns a page back, on
-- the right half forward; a right click closes it, as the line above the
-- pages says. The two masks only lend the book their rectangles.
Window{
  type = "TWindow", name = "cook_book_frame", x = 0, y = 0, w = 800, h = 600,
  {type = "GCookBook", name = "cook_book", x = 0, y = 0, w = 800, h = 600,
    {type = "TText", name = "cook_book_close", x = 80, y = 44, w = 640, h = 30,
      text = GetString("cook_book_close"), size = 18, color = {240, 224, 192}, align = "center"},
    {type = "TImage", name = "left_mask", x = 0, y = 0, w = 400, h = 600},
    {type = "TImage", name = "right_mask", x = 400, y = 0, w = 400, h = 600},
  },
}
