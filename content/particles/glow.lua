-- A soft glow that breathes while the effect is on and fades when it stops.
glow = Emitter{
  texture = "particles/glow.png", blend = "add",
  rate = 6, life = 1.2, size = {48, 64},
  color = {1, 0.85, 0.5}, alpha = {0, 0.6, 0},
}
