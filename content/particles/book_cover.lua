-- A short glitter where the quest book's cover has opened; it ends by itself.
glitter = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 60, duration = 0.3, life = {0.3, 0.6}, spread = {6, 6},
  speed = {20, 60}, size = {10, 2},
  color = {{1, 1, 0.8}, {1, 0.7, 0.3}}, alpha = {1, 0},
}
