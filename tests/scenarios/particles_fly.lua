-- Fly emitters after CPP_OnPrtInitComplete: one without a layer walks the
-- points (0, 300) and (100, 300) in 5 steps, x = 0, 25, 50, 75, then hides;
-- a looping one never hides; one attached to the particle layer leaves a
-- trail that the layer draws. The call itself takes the first step, so the
-- window stands at x = 0 before any tick; each 16 ms animation of the
-- emitter takes one more step before the frame is drawn, so every frame
-- shows the marker where the window stands.

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

-- Where a window stands while shown, or nil when hidden.
local function placed(name)
  if window(name) ~= "shown" then return nil end
  return (window_rect(name))
end

local seen, looped = {placed("solo")}, {placed("looper")}
local drawn, drawnLoop = {}, {}
for i = 2, 9 do
  tick(1)
  seen[i], looped[i] = placed("solo"), placed("looper")
  drawn[i], drawnLoop[i] = marker(300), marker(400)
end
local trace = {}
for i = 1, 9 do trace[i] = tostring(seen[i]) .. "/" .. tostring(looped[i]) end
trace = table.concat(trace, " ")

assert(seen[1] == 0 and seen[2] == 25 and seen[3] == 50 and seen[4] == 75, trace)
assert(seen[5] == nil and window("solo") == "hidden", trace)
for i = 1, 9 do assert(looped[i] ~= nil, "the looping emitter never hides: " .. trace) end
assert(looped[1] == 0 and looped[4] == 75, trace)
assert(looped[5] == 0 and looped[6] == 25, "it starts its run again at once: " .. trace)
-- What is drawn is where the windows stand: x = 0 itself is drawn when the
-- looping one starts again inside its animation.
for i = 2, 9 do
  assert(drawn[i] == seen[i], "frame " .. i .. " draws the marker at " .. tostring(drawn[i]))
  assert(drawnLoop[i] == looped[i], "frame " .. i .. " draws the looping marker at " .. tostring(drawnLoop[i]))
end
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
