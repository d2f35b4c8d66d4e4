-- A nightberry: thirty seconds of poison, and a purple haze over the scene
-- that fades in over 50 heartbeats and out over the next 50; then it is
-- gone, and a mushroom can darken the scene.

local pond = require("lib.pond")

local corner = {20, 20} -- where the haze is thickest
local function colour()
  local r, g, b = pixel(corner[1], corner[2])
  return r, g, b
end
local function purple()
  local r, g, b = colour()
  return r > 100 and b > 110 and g < 70
end

pond.enter()
local r0, g0, b0 = colour()
assert(not purple(), "no haze yet")

pond.eat("nightberry")
assert(held() == nil, "eaten")
assert(timers().poison.state == 0 and timers().poison.left == 30000)
tick(25)
local r, g, b = colour()
assert(not purple() and (r ~= r0 or g ~= g0), "half in after 25: " .. r .. "," .. g .. "," .. b)
tick(25)
assert(purple(), "in full after 50: " .. table.concat({colour()}, ","))
tick(50)
r, g, b = colour()
-- The poison's rim tints the corner a little meanwhile.
assert(math.abs(r - r0) <= 10 and math.abs(g - g0) <= 10 and math.abs(b - b0) <= 10,
  "out after 100: " .. r .. "," .. g .. "," .. b .. " against " .. r0 .. "," .. g0 .. "," .. b0)

-- Gone: the background takes a new effect.
pond.eat("mushroom")
tick(1)
r, g, b = pixel(pond.at.grass[1], pond.at.grass[2])
assert(r + g + b < 60, "a mushroom darkens the scene now")
assert(reports() == 0, reports() .. " report line(s)")
