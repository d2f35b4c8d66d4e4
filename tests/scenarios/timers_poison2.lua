-- A toadstool: thirty seconds of poison, and the scene's picture swells,
-- drifts, shrinks and fades back in over 574 heartbeats. A mushroom after it
-- shortens the poison to its two seconds; another toadstool does not
-- lengthen it again. The health cures it.

local pond = require("lib.pond")

local function poison() return timers().poison end

-- Points just inside the edges of the pond and the horizon: a picture a
-- pixel too large or out of place shows other colours there. The poison's
-- rim, fading in over the scene meanwhile, shifts them by a few levels;
-- the pond and the grass differ by many more.
local points = {{420, 293}, {225, 380}, {614, 380}, {400, 225}, {400, 215}, pond.at.grass}
local function look()
  local seen = {}
  for _, p in ipairs(points) do
    local r, g, b = pixel(p[1], p[2])
    seen[#seen + 1] = {r, g, b}
  end
  return seen
end
local function same(a, b)
  for i = 1, #a do
    for c = 1, 3 do
      if math.abs(a[i][c] - b[i][c]) > 8 then return false end
    end
  end
  return true
end
local function dimmed()
  local r, g, b = pixel(pond.at.grass[1], pond.at.grass[2])
  return r + g + b < 60
end

pond.enter()
local rest = look()

pond.eat("toadstool")
assert(poison().state == 0 and poison().left == 30000)
tick(1)
assert(dimmed(), "the picture nearly gone")
tick(459)
assert(dimmed(), "just fading in again after 460 heartbeats")
tick(114)
-- Back as it was: the same size, place and colours.
assert(same(look(), rest), "back at rest")
assert(poison().left == 30000 - 574 * 16, poison().left)

-- The effect is gone: a new poisoning darkens the picture again.
pond.eat("mushroom")
assert(poison().left == 2000, "the shorter poison wins: " .. poison().left)
tick(1)
assert(dimmed(), "a new effect")
pond.eat("toadstool")
assert(poison().left == 2000 - 16, "a longer poison does not lengthen it: " .. poison().left)

-- The health cures it at once and empties the indicator; the player is told
-- once the effect has played.
show_effect("health")
assert(poison().state == 1, "cured")
local shown = indicators().poison
assert(shown.total == 0 and shown.alpha == 0 and shown.text == "", "the indicator emptied")
assert(window("magic_effect") == "shown")
tick(1)
assert(window("hint") == nil, "not while the effect plays")
tick_until(function() return window("magic_effect") == nil end, 200, "the effect's end")
tick_until(function() return window("hint") == "shown" end, 5, "the helped hint")
assert(text("hint_text") == "The poison has left you.", text("hint_text"))
assert(reports() == 0, reports() .. " report line(s)")
