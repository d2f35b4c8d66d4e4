-- A task or a mission is complete: a short shower of sparks over the book
-- button. It ends by itself.
shower = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 40, duration = 0.5, life = {0.4, 0.8}, spread = {30, 6},
  speed = {30, 80}, angle = {-40, 40}, gravity = {0, 120},
  size = {10, 2}, color = {{0.8, 1, 0.7}, {1, 0.9, 0.3}}, alpha = {1, 0},
}
