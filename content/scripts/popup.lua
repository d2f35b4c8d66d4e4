-- The popup in which short messages to the player show ("Game saved").
Window{
  type = "GPopup", name = "popup", x = 280, y = 24, w = 240, h = 44,
  {type = "TImage", name = "popup_bg", x = 0, y = 0, image = "images/ui/popup.png"},
  {type = "TText", name = "popup_text", x = 0, y = 12, w = 240, h = 24,
    size = 16, color = {250, 236, 200}, align = "center"},
}
