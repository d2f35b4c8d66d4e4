-- A particle layer over the whole screen and one emitter standing still in
-- its middle, which plays particles/pixels.lua once it is ready.
Window{
  type = "TModalWindow", name = "base", x = 0, y = 0, w = 800, h = 600,
  {type = "particle_layer", name = "layer", x = 0, y = 0, w = 800, h = 600},
  {type = "GFlyEmitter", name = "middle", x = 400, y = 300, w = 1, h = 1,
    FX_fly = "particles/pixels.lua", RenderTo = "layer"},
}
CPP_OnPrtInitComplete()
