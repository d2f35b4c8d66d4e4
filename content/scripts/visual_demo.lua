-- A window of the game's own widgets: visual objects shown by name, a
-- button, a slider, an interactive button, a progress bar and a wrapper for
-- objects drawn by their owner. Opened with DoModal("scripts/visual_demo.lua").
visual_demo_clicks = 0
Window{
  type = "TModalWindow", name = "visual_demo", x = 0, y = 0, w = 800, h = 600,
  {type = "GVLuaObject", name = "demo_shelf", x = 0, y = 0, w = 800, h = 600,
    gvobject_name = "shelf", dx = 300, dy = 200},
  {type = "GVLuaObject", name = "demo_lamp", x = 0, y = 0, w = 800, h = 600,
    gvobject_name = "lamp", gvobject_state = "flare", dx = 120, dy = 260},
  {type = "GVLuaObject", name = "demo_gem", x = 0, y = 0, w = 800, h = 600,
    gvobject_name = "gem", gvobject_state = "glint", dx = 200, dy = 200, rotation = 45},
  {type = "GVObjectWrapper", name = "demo_wrapper", x = 0, y = 0, w = 800, h = 600},
  {type = "GButton", name = "demo_button", x = 80, y = 420, w = 96, h = 32,
    normal = "anim/demo/button.png", hover = "anim/demo/button_hover.png",
    command = function() visual_demo_clicks = visual_demo_clicks + 1 end},
  {type = "GSlider", name = "demo_slider", x = 220, y = 432, w = 160, h = 20,
    track = "anim/demo/track.png", thumb = "anim/demo/thumb.png", value = 0.5},
  {type = "GInteractiveButton", name = "demo_interactive", x = 420, y = 420, w = 96, h = 32,
    {type = "GButton", name = "button", x = 0, y = 0, w = 96, h = 32,
      normal = "anim/demo/button.png", hover = "anim/demo/button_hover.png"},
    {type = "TImage", name = "disabled_image", x = 0, y = 0, image = "anim/demo/button_off.png"}},
  {type = "TProgressBar", name = "demo_bar", x = 560, y = 392, w = 24, h = 60,
    Background = "anim/demo/bar_bg.png", Custom = "anim/demo/bar_frame.png",
    Foreground = "anim/demo/bar_fg.png", MinRange = 0, MaxRange = 100, Value = 40},
  {type = "GButton", name = "demo_close", x = 620, y = 420, w = 96, h = 32,
    normal = "anim/demo/button.png", hover = "anim/demo/button_hover.png",
    command = function() PopModal("visual_demo") end},
}
