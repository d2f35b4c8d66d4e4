-- The grid of the Vethra world map: the highlight of the cell under the
-- pointer and the travel button that a click puts on the chosen cell. The
-- cells come from game_screen/vethra_map/map_grid.
Window{
  type = "GVethraGrid", name = "vethra_grid", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "selection", x = -10, y = -10, image = "images/vethra/grid_selection.png"},
  {type = "GButton", name = "button", x = -10, y = -10, w = 100, h = 80, normal = "images/vethra/travel_button.png",
    command = function() if onTravelClick then onTravelClick() end end},
}
