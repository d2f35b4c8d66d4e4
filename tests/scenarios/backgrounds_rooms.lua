-- The hall fades from red through green to blue, one image every "delay"
-- (60) ticks, and stays blue; leaving it sets "hall_seen" without a "flag"
-- event, so the hall comes back in its plain state. The attic is a dark
-- room: black with an empty hand, lit around the pointer while the key is
-- held, the lit patch cut off at the screen's edges.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local function wait_active(id) demo.wait_active(id, 200) end

local function colour(x, y)
  local r, g, b = pixel(x, y)
  -- Exactly one image: a tick before the end of a fade is still mixed.
  if r >= 254 and g <= 1 and b <= 1 then return "red" end
  if g >= 254 and r <= 1 and b <= 1 then return "green" end
  if b >= 254 and r <= 1 and g <= 1 then return "blue" end
  return "mixed"
end

local function lit(x, y)
  local r, g, b = pixel(x, y)
  return r == 200 and g == 200 and b == 200
end

local function dark(x, y)
  local r, g, b = pixel(x, y)
  return r == 0 and g == 0 and b == 0
end

start_new_game()
click(670, 300)
tick_until(function() return scene() == "hall" end, 100, "the way to the hall")

-- The fade, tick by tick.
local green_at, blue_at, last
for t = 1, 400 do
  tick(1)
  local c = colour(400, 450)
  if c == "green" and not green_at then green_at = t end
  if c == "blue" and not blue_at then blue_at = t end
  assert(not (blue_at and c ~= "blue"), "blue stays at tick " .. t .. ": " .. c)
  assert(not (green_at and c == "red"), "no way back to red at tick " .. t)
  last = c
end
assert(green_at and blue_at, "green and blue shown: " .. tostring(green_at) .. " " .. tostring(blue_at))
assert(blue_at - green_at == 60, "one image every 60 ticks: " .. (blue_at - green_at))
assert(last == "blue")
assert(select(3, scene()) == 0, "the hall's first state")

-- Leaving sets the exit variable quietly.
local seen = #events()
click(110, 300)
wait_active("living_room")
for i = seen + 1, #events() do
  assert(not events()[i]:find("hall_seen", 1, true), "no event for the exit flag: " .. events()[i])
end
assert(flag("hall_seen") == "true")
click(670, 300)
wait_active("hall")
assert(select(3, scene()) == 1, "the hall was seen")

-- Up to the dark attic with an empty hand.
click(600, 250)
wait_active("attic")
move(400, 300)
tick(2)
assert(dark(360, 300) and dark(100, 100), "all black with an empty hand")

-- Down for the key and up again.
click(400, 435)
wait_active("hall")
click(370, 420)
assert(held() == "key")
click(600, 250)
wait_active("attic")
move(400, 300)
tick(2)
assert(lit(360, 300) and lit(400, 340), "lit around the pointer")
assert(dark(100, 100) and dark(400, 360), "black beyond the patch")

-- At the edges the patch is cut off, and the old place is dark again.
move(3, 3)
tick(2)
assert(lit(40, 3) and lit(3, 40), "lit in the corner")
assert(dark(360, 300), "the old patch is black again")
assert(dark(100, 3), "black beyond the patch")
move(797, 3)
tick(2)
assert(lit(760, 3) and lit(797, 40), "lit in the far corner")
assert(dark(700, 3) and dark(3, 40), "black elsewhere")
