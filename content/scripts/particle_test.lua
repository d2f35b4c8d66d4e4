-- A test window for particle scripts: a particle layer and three looping fly
-- emitters, one standing still (a line), one walking a list of points and
-- one on a spline, and the spark, puff, trail and glow scripts in place. Open it with
-- DoModal("scripts/particle_test.lua"); Escape on the layer opens the pause
-- script, PopModal("particle_test") closes it.
Window{
  type = "TModalWindow", name = "particle_test", x = 0, y = 0, w = 800, h = 600,
  {type = "particle_layer", name = "particle_layer", x = 0, y = 0, w = 800, h = 600},
  {type = "GFlyEmitter", name = "fly_line", x = 150, y = 150, w = 1, h = 1,
    mover = "LineMove", time = 120, loop = true, FX_fly = "particles/glow.lua"},
  {type = "GFlyEmitter", name = "fly_points", x = 0, y = 0, w = 1, h = 1,
    mover = "ArrayMove", coords = "300, 150, 700, 150, 700, 450, 300, 450, 300, 150",
    time = 240, loop = true, FX_fly = "particles/trail.lua"},
  {type = "GFlyEmitter", name = "fly_spline", x = 0, y = 0, w = 1, h = 1,
    mover = "SplineMove", ParamX = "0, 100, 700, 800", ParamY = "600, 500, 500, 600",
    move_time = 1, time = 180, loop = true, FX_fly = "particles/particle_fx1.lua"},
  {type = "GFlyEmitter", name = "fly_spark", x = 150, y = 450, w = 1, h = 1,
    time = 60, loop = true, FX_fly = "particles/spark.lua"},
  {type = "GFlyEmitter", name = "fly_puff", x = 400, y = 540, w = 1, h = 1,
    time = 90, loop = true, FX_fly = "particles/puff.lua"},
}
CPP_OnPrtInitComplete()
