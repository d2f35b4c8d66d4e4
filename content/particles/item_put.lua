-- A little dust where an item is set down: it rises from under the item for
-- a moment and settles, then the effect ends by itself.
dust = Emitter{
  texture = "particles/puff.png",
  rate = 90, duration = 0.15, life = {0.5, 0.9}, spread = {16, 4}, y = 16,
  speed = {10, 30}, angle = {-80, 80}, drag = 1.5,
  size = {10, 26}, color = {0.8, 0.76, 0.7}, alpha = {0.6, 0},
}
