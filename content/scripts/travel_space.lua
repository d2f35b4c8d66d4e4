-- The worlds of the journey through space: one location per world, each a
-- button, a picture of the world that fades in while the pointer is over the
-- button, and a star that blinks beside it meanwhile. The navigator leaves
-- out the world the player is in and the worlds not yet open.
Window{
  type = "GTravelSelection", name = "travel_selection", x = 0, y = 0, w = 800, h = 600,
  config = "through_space", num_locations = 2,
  {type = "TImage", name = "sky", x = 0, y = 0, image = "images/travel/selection.png"},
  {type = "GVObjectWrapper", name = "visual_object_wrapper", x = 0, y = 0, w = 800, h = 600},
  {type = "TButton", name = "travel_back", x = 660, y = 30, w = 110, h = 36, label = GetString("travel_back"),
    command = function() if onNavigatorExitClick then onNavigatorExitClick() end end},
  {type = "GTravelLocation", name = "loc0", x = 0, y = 0, w = 800, h = 600, ind = 0, world_id = "home",
    {type = "TImage", name = "world_img0", x = 220, y = 150, image = "images/travel/world_home.png"},
    {type = "GVLuaObject", name = "anim", gvobject_name = "travel_star", gvobject_state = "blink", dx = 110, dy = 508},
    {type = "GTravelButton", name = "button", x = 140, y = 500, w = 160, h = 40, label = GetString("world_home"),
      command = function() if notifyWorldButtonClick then notifyWorldButtonClick("home") end end},
  },
  {type = "GTravelLocation", name = "loc1", x = 0, y = 0, w = 800, h = 600, ind = 1, world_id = "vethra",
    {type = "TImage", name = "world_img1", x = 220, y = 150, image = "images/travel/world_vethra.png"},
    {type = "GVLuaObject", name = "anim", gvobject_name = "travel_star", gvobject_state = "blink", dx = 470, dy = 508},
    {type = "GTravelButton", name = "button", x = 500, y = 500, w = 160, h = 40, label = GetString("world_vethra"),
      command = function() if notifyWorldButtonClick then notifyWorldButtonClick("vethra") end end},
  },
}
