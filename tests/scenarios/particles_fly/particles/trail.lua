-- Solid green squares left behind the emitter for half a second.
Emitter{ rate = 120, life = 0.5, size = 6, color = {0, 1, 0} }
