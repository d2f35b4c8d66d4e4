-- A shimmer over the whole screen while the player is invisible.
shimmer = Emitter{
  texture = "particles/glow.png", blend = "add",
  rate = 24, life = {0.8, 1.4}, spread = {400, 300},
  size = {30, 60}, color = {0.6, 0.8, 1}, alpha = {0, 0.3, 0},
}
