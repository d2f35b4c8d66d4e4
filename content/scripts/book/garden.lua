-- The garden at night, beyond the study's window.
Window{
  type = "TWindow", name = "container", x = 0, y = 0, w = 300, h = 400,
  {type = "TText", name = "heading", x = 20, y = 20, w = 260, h = 30, text = "The night garden",
    size = 18, color = {60, 36, 20}, align = "center"},
  {type = "TImage", name = "plate", x = 30, y = 60, image = "images/book/plate_garden.png"},
  -- Ticked once the shears are taken; and while the rope is still to be
  -- cut, ticked when the player has the rope or the shears.
  {type = "TText", name = "shears_line", x = 60, y = 320, w = 220, h = 24, text = "The shears",
    size = 16, color = {60, 36, 20}},
  {type = "GQuestBookTaskTick", name = "shears_tick", x = 30, y = 320, image = "images/book/tick.png",
    task = "take_the_shears"},
  {type = "TText", name = "rope_line", x = 60, y = 350, w = 220, h = 24, text = "A rope to cut",
    size = 16, color = {60, 36, 20}},
  {type = "GQuestBookItemTick", name = "rope_tick", x = 30, y = 350, image = "images/book/tick.png",
    mission = "cut_the_rope", num_items = 2, item1 = "rope", item2 = "shears"},
}
