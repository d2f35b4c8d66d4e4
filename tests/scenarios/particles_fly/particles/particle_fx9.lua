-- What the layer gives an emitter before the emitter loads its own script.
Emitter{ rate = 10, life = 0.2, size = 2, color = {0, 0, 1} }
