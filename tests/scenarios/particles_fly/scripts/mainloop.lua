-- A particle layer with an emitter walking a line of points across it, and
-- two emitters that find no layer, each carrying a red marker so that its
-- position shows on screen.
Window{
  type = "TModalWindow", name = "base", x = 0, y = 0, w = 800, h = 600,
  {type = "particle_layer", name = "layer", x = 0, y = 0, w = 800, h = 600},
  {type = "GFlyEmitter", name = "trail", x = 0, y = 0, w = 1, h = 1,
    mover = "ArrayMove", coords = "100, 100, 700, 100", time = 200,
    FX_fly = "particles/trail.lua", RenderTo = "layer"},
  {type = "GFlyEmitter", name = "solo", x = 0, y = 300, w = 10, h = 10,
    mover = "ArrayMove", coords = "0, 300, 100, 300", time = 5, RenderTo = "nowhere",
    FX_fly = "particles/trail.lua",
    {type = "TImage", name = "solo_marker", x = 0, y = 0, w = 10, h = 10, image = "images/marker.png"}},
  {type = "GFlyEmitter", name = "looper", x = 0, y = 400, w = 10, h = 10,
    mover = "ArrayMove", coords = "0, 400, 100, 400", time = 5, loop = true, RenderTo = "nowhere",
    FX_fly = "particles/trail.lua",
    {type = "TImage", name = "looper_marker", x = 0, y = 0, w = 10, h = 10, image = "images/marker.png"}},
}
