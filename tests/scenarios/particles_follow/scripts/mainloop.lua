-- One visual object whose state moves it to the right and emits particles
-- 30 pixels below it.
Window{
  type = "TModalWindow", name = "base", x = 0, y = 0, w = 800, h = 600,
  {type = "GVLuaObject", name = "obj", x = 0, y = 0, w = 800, h = 600,
    gvobject_name = "mover", gvobject_state = "fly", dx = 100, dy = 200},
}
