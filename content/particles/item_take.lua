-- A short glitter where an item is picked up: a quarter of a second of
-- sparks that rise and fade, then the effect ends by itself.
glitter = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 70, duration = 0.25, life = {0.3, 0.6}, spread = {14, 14},
  speed = {30, 80}, angle = {-40, 40}, gravity = {0, 60},
  size = {10, 2}, color = {{1, 1, 0.8}, {1, 0.7, 0.3}}, alpha = {1, 0},
}
