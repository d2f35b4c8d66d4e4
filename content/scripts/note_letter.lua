-- The letter's words, laid out once into a picture drawn over its page.
-- The game takes the window named "window".
Window{
  type = "TWindow", name = "window", x = 0, y = 0, w = 260, h = 150,
  {type = "TText", name = "letter_text", x = 0, y = 0, w = 260, h = 150,
    text = GetString("note_letter"), size = 18, color = {70, 44, 20}, wrap = true},
}
