-- The quest book's cover, once it has opened, starts its particles: the
-- demo's glitter at (400, 80) rises above the cover, where nothing bright is
-- drawn before it.

local demo = require("lib.demo")
local bk = require("lib.book")

-- Bright, warm pixels in the strip above the cover's top edge.
local function glitter()
  local n = 0
  for y = 40, 78 do
    for x = 360, 440 do
      local r, g = pixel(x, y)
      if r > 200 and g > 150 then n = n + 1 end
    end
  end
  return n
end

demo.start_new_game()
bk.open()
bk.move(bk.RIGHT)
tick_until(function()
  assert(glitter() == 0, "something bright before the cover opened")
  return book().cover == "2"
end, 60, "the cover opened")
local most = 0
for _ = 1, 8 do
  tick(1)
  most = math.max(most, glitter())
end
assert(most >= 5, "the cover's glitter: " .. most)
assert(reports() == 0, "reports")
