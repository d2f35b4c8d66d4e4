-- A trail of sparkles left behind wherever the effect moves.
trail = Emitter{
  texture = "particles/dot.png", blend = "add",
  rate = 90, life = {0.5, 0.9}, spread = {2, 2},
  speed = {0, 12}, size = {9, 1},
  color = {{0.8, 0.9, 1}, {0.4, 0.6, 1}}, alpha = {1, 0},
}
