-- The fly emitter's trail: fine sparkles that drift down as they fade.
fly = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 70, life = {0.4, 0.8}, spread = {3, 3},
  speed = {5, 20}, gravity = {0, 40}, size = {10, 2},
  color = {{1, 1, 0.8}, {1, 0.7, 0.3}}, alpha = {1, 0},
}
