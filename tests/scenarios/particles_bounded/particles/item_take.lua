-- A take effect whose numbers no screen can use: a position that is not a
-- number, sizes past any screen, speeds and spreads at the float's end.
gActive = true
Emitter{burst = 50, life = 10, x = 0/0, size = 1e12}
Emitter{burst = 50, life = 10, speed = 1e38, gravity = {1e38, 1e38}, size = {1e30, 1e30}, texture = "particles/dot.png"}
Emitter{burst = 50, life = 10, spread = {1e38, 1e38}, size = 1/0, texture = "particles/dot.png"}
