-- The object enters its run as the window is built, at the start of the clock.
Window{
  type = "TModalWindow", name = "stage", x = 0, y = 0, w = 800, h = 600,
  {type = "GVLuaObject", name = "runner", x = 0, y = 0, w = 800, h = 600,
    gvobject_name = "run", gvobject_state = "run", dx = 200, dy = 100},
}
