-- Sparks that fly up and fall, yellow turning orange.
spark = Emitter{
  texture = "particles/spark.png", blend = "add",
  rate = 30, life = {0.4, 0.8}, spread = {4, 4},
  speed = {40, 110}, angle = {-50, 50}, gravity = {0, 220},
  size = {12, 3}, color = {{1, 1, 0.7}, {1, 0.45, 0.1}}, alpha = {1, 0.9, 0},
}
