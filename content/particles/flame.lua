-- The flame of a burning match, following the pointer: small tongues that
-- rise and cool from yellow to red.
flame = Emitter{
  texture = "particles/glow.png", blend = "add",
  rate = 40, life = {0.2, 0.4}, spread = {2, 1}, y = -12,
  speed = {20, 40}, angle = {-15, 15}, size = {14, 3},
  color = {{1, 0.9, 0.4}, {1, 0.3, 0.1}}, alpha = {1, 0},
}
