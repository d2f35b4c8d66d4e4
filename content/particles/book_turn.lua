-- Gold dust that follows the free corner of a turning page.
dust = Emitter{
  texture = "particles/dot.png", blend = "add",
  rate = 80, life = {0.2, 0.4}, spread = {2, 2},
  speed = {5, 20}, size = {8, 1},
  color = {{1, 0.95, 0.7}, {1, 0.7, 0.3}}, alpha = {1, 0},
}
