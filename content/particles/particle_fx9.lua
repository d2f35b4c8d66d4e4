-- What a particle layer gives a fly emitter until the emitter loads its own
-- script: a faint glow at the emitter.
Emitter{
  texture = "particles/dot.png", blend = "add",
  rate = 20, life = 0.5, size = {6, 0}, alpha = {0.6, 0},
}
