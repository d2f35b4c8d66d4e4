-- The kitchen's cook book: a click on the left half turns a page back, on
-- the right half forward. The two masks only lend the book their rectangles.
Window{
  type = "TWindow", name = "cook_book_frame", x = 0, y = 0, w = 800, h = 600,
  {type = "GCookBook", name = "cook_book", x = 0, y = 0, w = 800, h = 600,
    {type = "TImage", name = "left_mask", x = 0, y = 0, w = 400, h = 600},
    {type = "TImage", name = "right_mask", x = 400, y = 0, w = 400, h = 600},
  },
}
