-- Fly emitters after CPP_OnPrtInitComplete: one without a layer walks the
-- points (0, 300) and (100, 300) in 5 steps, x = 0, 25, 50, 75, then hides;
-- a looping one never hides; one attached to the particle layer leaves a
-- trail that the layer draws. The step to x = 0 is taken by the call itself,
-- and each emitter's own 16 ms animation takes one more before the next
-- frame is drawn, so the frames show 25, 50, 75 and then the end of the run.

local function red(x, y)
  local r, g, b = pixel(x, y)
  return r > 200 and g < 60 and b < 60
end

local function green(x, y)
  local r, g, b = pixel(x, y)
  return g > 200 and r < 60
end

-- Where the marker of a row is: the x of its first red pixel, or nil.
local function marker(y)
  for x = 0, 120 do
    if red(x, y + 5) then return x end
  end
  return nil
end

-- The start-up may report what this window-only tree lacks; from here on
-- nothing may be reported.
tick(1)
local reported = reports()
assert(marker(300) == nil, "hidden before the scripts say they are ready")
game_lua("CPP_OnPrtInitComplete()")

local seen, looped = {}, {}
for i = 1, 8 do
  tick(1)
  seen[i] = marker(300)
  looped[i] = marker(400)
end
local trace = {}
for i = 1, 8 do trace[i] = tostring(seen[i]) .. "/" .. tostring(looped[i]) end
trace = table.concat(trace, " ")

assert(seen[1] == 25 and seen[2] == 50 and seen[3] == 75, trace)
assert(seen[4] == nil and window("solo") == "hidden", trace)
for i = 1, 8 do assert(looped[i] ~= nil, "the looping emitter never hides: " .. trace) end
assert(looped[4] == 0 and looped[5] == 25, "it starts its run again at once: " .. trace)
assert(window("looper") == "shown")

-- The attached emitter moves on its own ticks and on the layer's, and the
-- layer draws its trail along the line at y = 100.
tick(10)
local trail = 0
for x = 100, 700, 4 do
  if green(x, 100) then trail = trail + 1 end
end
assert(trail > 5, "trail pixels: " .. trail)
assert(not green(400, 300), "nothing is drawn for the emitters without a layer")
assert(reports() == reported, "reports: " .. reports() - reported)
