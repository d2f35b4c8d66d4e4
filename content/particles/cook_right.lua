-- A burst of golden sparkles rising off the mixing bowl's rim each time a
-- dish comes out right.
sparkle = Emitter{
  texture = "particles/spark.png", blend = "add",
  burst = 24, life = {0.4, 0.8}, radius = 10,
  speed = {30, 90}, angle = {-60, 60}, drag = 1.0,
  size = {10, 2}, color = {{1, 0.95, 0.5}, {1, 0.7, 0.2}}, alpha = {1, 0},
}
