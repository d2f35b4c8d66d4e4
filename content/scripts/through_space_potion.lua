-- The choice the through-space magic offers in the Vethra: across the
-- Vethra on its map, or through space to another world. The buttons appear
-- once the background and the window have faded in.
Window{
  type = "GVethraPotionEffectChooser", name = "VethraPotionEffectChooser", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "img_background", x = 0, y = 0, image = "images/vethra/chooser_bg.png"},
  {type = "TImage", name = "img_window", x = 190, y = 200, image = "images/vethra/chooser_window.png"},
  {type = "GButton", name = "btn_through_vethra", x = 220, y = 270, w = 170, h = 50,
    label = GetString("through_vethra"),
    command = function() if doThroughVethraPassage then doThroughVethraPassage() end end},
  {type = "GButton", name = "btn_through_space", x = 410, y = 270, w = 170, h = 50,
    label = GetString("through_space"),
    command = function() if doThroughSpacePassage then doThroughSpacePassage() end end},
}
