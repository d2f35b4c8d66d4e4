-- A magic is earned: a ring of light opens where the player looks and
-- sparks rain down towards the panel. It ends by itself.
ring = Emitter{
  texture = "particles/glow.png", blend = "add",
  burst = 40, life = {0.6, 1.2}, radius = 4,
  speed = {80, 160}, drag = 1.2, size = {24, 4},
  color = {{1, 1, 0.9}, {0.6, 0.8, 1}}, alpha = {1, 0},
}
rain = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 50, duration = 0.8, life = {0.6, 1.0}, spread = {60, 10},
  speed = {60, 120}, angle = {160, 200}, gravity = {0, 200},
  size = {10, 2}, color = {{1, 1, 0.7}, {1, 0.6, 0.2}}, alpha = {1, 0},
}
