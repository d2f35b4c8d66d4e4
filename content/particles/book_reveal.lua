-- Sparkles riding the edge of a page's writing as it appears.
ink = Emitter{
  texture = "particles/dot.png", blend = "add",
  rate = 60, life = {0.2, 0.4}, spread = {3, 2},
  speed = {0, 10}, size = {8, 1},
  color = {{0.8, 0.9, 1}, {0.5, 0.6, 1}}, alpha = {1, 0},
}
