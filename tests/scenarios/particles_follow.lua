-- A visual object's particle effect follows the object as it moves: the
-- particles are drawn 30 pixels below the object, where it is now, and the
-- places it has left clear once their particles have died.

local pixels = require("lib.pixels")

local function green(x, y)
  local r, g, b = pixel(x, y)
  return g > 200 and r < 60 and b < 60
end

local function blue(x, y)
  local r, g, b = pixel(x, y)
  return b > 200 and r < 60
end

-- The object's left edge on its row, and the green pixels' extent below it.
local function object_x()
  for x = 0, 799 do
    if blue(x, 205) then return x end
  end
end

local function green_span()
  return pixels.span(230, 0, 799, green)
end

tick(1)
local reported = reports()
tick(20)
local x1 = object_x()
local g1, h1 = green_span()
assert(x1 and x1 > 100, "the object moves: " .. tostring(x1))
assert(g1, "particles are drawn under the object")
-- Particles live 0.1 s: they cover at most the last 0.1 s of the way, ending
-- at the object's emitter (its left edge plus 5).
assert(h1 >= x1 and h1 <= x1 + 12, string.format("object %d, particles %d..%d", x1, g1, h1))

tick(40)
local x2 = object_x()
local g2, h2 = green_span()
assert(x2 > x1 + 40, string.format("the object moved on: %d -> %d", x1, x2))
assert(h2 >= x2 and h2 <= x2 + 12, string.format("object %d, particles %d..%d", x2, g2, h2))
assert(not green(x1 + 5, 230), "where it was is clear again")
assert(reports() == reported, "reports: " .. reports() - reported)
