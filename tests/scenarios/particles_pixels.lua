-- Where and in what colour particles land over time. Four large particles
-- leave the screen's middle (400, 300) at 200 pixels a second (see
-- particles/pixels.lua): east a red square of 40 pixels; south a square that
-- shrinks from 40 pixels to none, green turning blue; north a texture whose
-- left half is transparent, tinted yellow and fading out; west a red square
-- with a green one of 20 pixels added over it. An inverted angle, colour keys
-- read backwards, a size or alpha that does not follow the life, a texture
-- not used or a blend not applied each fails a line below.

local pixels = require("lib.pixels")

local function near(a, b, tolerance, what)
  assert(math.abs(a - b) <= tolerance, string.format("%s: %s, not %s", what, tostring(a), tostring(b)))
end

local function colour(x, y, r, g, b, what)
  local pr, pg, pb = pixel(x, y)
  near(pr, r, 12, what .. " red")
  near(pg, g, 12, what .. " green")
  near(pb, b, 12, what .. " blue")
end

local function red(x, y)
  local r, g, b = pixel(x, y)
  return r > 200 and g < 50 and b < 50
end

-- The east square's extent on the row through the middle: it tells how far
-- the particles have come, and so their age.
local function east()
  return pixels.span(300, 401, 799, red)
end

tick(1)
local reported = reports()
for _, ticks in ipairs({15, 16, 16}) do
  tick(ticks)
  local first, last = east()
  assert(first, "the red square goes east")
  near(last - first + 1, 40, 2, "the east square's width")
  local d = (first + last) / 2 - 400 -- pixels the particles have come
  local t = d / 200 -- their age in seconds, of a life of one
  assert(t > 0.2 and t < 0.8, "age " .. t)
  colour(400 - d, 300 - d, 0, 0, 0, "nothing north-west")

  -- South: down the screen, green turning blue, shrinking.
  local y, half = 300 + d, 20 * (1 - t)
  colour(400, y, 0, 255 * (1 - t), 255 * t, "the south square")
  colour(400, y + half - 3, 0, 255 * (1 - t), 255 * t, "inside the shrinking square")
  colour(400, y + half + 3, 0, 0, 0, "outside the shrinking square")

  -- North: up the screen, its right half yellow as it fades, its left half
  -- transparent.
  colour(408, 300 - d, 255 * (1 - t), 255 * (1 - t), 0, "the north texture's right half")
  colour(392, 300 - d, 0, 0, 0, "the north texture's left half")

  -- West: yellow where the green square adds to the red, red around it.
  colour(400 - d, 300, 255, 255, 0, "green added to red")
  colour(400 - d - 15, 300, 255, 0, 0, "the red square around it")
end

-- A second's life: all of them are gone.
tick(20)
for x = 0, 799, 8 do
  for y = 0, 599, 8 do
    local r, g, b = pixel(x, y)
    assert(r + g + b == 0, string.format("something left at %d, %d", x, y))
  end
end
assert(reports() == reported, "reports: " .. reports() - reported)
