-- The caption of what the resting pointer is over: ten ticks after the
-- pointer stops on the living room's door, a frame naming it appears 30
-- pixels to the right of the pointer, its top on the pointer's row. Near the
-- right edge, where it would end beyond x 789, it flips to the left: its
-- right end 30 pixels left of the pointer. A move hides it again.

local demo = require("lib.demo")

local END, MIDDLE = "64,40,16", "128,80,32" -- the caption's ends and middle, row 1

local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

-- The frame's ends on the row 1 below the pointer, scanning from x: the
-- first and the last pixel of the run of frame colours starting there.
local function frame_run(x, y)
  if colour(x, y) ~= END then return nil end
  local last = x
  while last < 799 and (colour(last + 1, y) == END or colour(last + 1, y) == MIDDLE) do
    last = last + 1
  end
  return x, last
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
local reported = reports()

-- Beside the pointer.
local ax, ay = 640, 300
move(ax, ay)
tick(9)
assert(colour(ax + 30, ay + 1) ~= END, "no caption before ten ticks of rest")
tick(2)
local left, right = frame_run(ax + 30, ay + 1)
assert(left, "the caption's left end 30 pixels right of the pointer: " .. colour(ax + 30, ay + 1))
assert(colour(ax + 29, ay + 1) ~= END, "nothing of the frame before its left end")
assert(colour(right, ay + 1) == END and right <= 788, "the frame ends by x 789: " .. right)
assert(colour(ax + 31, ay) == END and colour(ax + 31, ay + 23) == END, "its top on the pointer's row")
local width = right - left + 1
assert(width >= 32, "two ends and at least one middle piece: " .. width)
-- The text, light on the dark frame, sits in its middle.
local lit = false
for x = left + 8, right - 8 do
  local r = pixel(x, ay + 12)
  if r > 200 then lit = true end
end
assert(lit, "the door's name is written in the frame")

-- A move hides it at once.
move(ax + 2, ay)
tick(1)
assert(colour(ax + 30, ay + 1) ~= END, "hidden while the pointer moves")

-- Near the right edge the same frame flips to the left of the pointer.
ax = 715
assert(ax + 30 + width > 789)
move(ax, ay)
tick(11)
left, right = frame_run(ax - 30 - width, ay + 1)
assert(left, "the flipped frame's left end: " .. colour(ax - 30 - width, ay + 1))
assert(right == ax - 31, "its right end 30 pixels left of the pointer: " .. tostring(right))
assert(colour(ax + 31, ay + 1) ~= END, "nothing on the right of the pointer")
assert(reports() == reported, "reports while the caption showed")
