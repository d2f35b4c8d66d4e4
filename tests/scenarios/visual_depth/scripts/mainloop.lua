-- One window showing a description whose children lie at different depths.
Window{
  type = "TModalWindow", name = "stage", x = 0, y = 0, w = 800, h = 600,
  {type = "GVLuaObject", name = "squares", x = 0, y = 0, w = 800, h = 600, gvobject_name = "depth"},
}
