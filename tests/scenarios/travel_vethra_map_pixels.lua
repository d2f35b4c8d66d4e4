-- The Vethra's panel and world map as the player sees them. The panel's
-- globe and the magic selectors do not cover each other. The map, in each
-- demo scene of the Vethra (between them every column and row of the grid):
-- slid down, it shows
-- the whole part picture, its far corner's water included, and the red
-- marker on the cell of the scene the player stands in.

local demo = require("lib.demo")

local MARKER = {240, 48, 32}

local function near(x, y, rgb)
  local r, g, b = pixel(x, y)
  return math.abs(r - rgb[1]) < 12 and math.abs(g - rgb[2]) < 12 and math.abs(b - rgb[3]) < 12
end

-- The water of each part picture, at its bottom-right corner.
local WATER = {[0] = {48, 88, 120}, [1] = {40, 74, 106}}

demo.start_new_game()
set_flag("vethra_atmosphere", "true")
demo.unlock_magics()

-- The panel's globe and the magic control side by side: the globe's disc
-- shows whole, and every selector shows its own face.
local function globe_colour(x, y)
  local r, g, b = pixel(x, y)
  return (math.abs(r - 42) < 16 and math.abs(g - 90) < 16 and math.abs(b - 138) < 16) or
    (math.abs(r - 200) < 16 and math.abs(g - 144) < 16 and math.abs(b - 72) < 16)
end
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")
for _, p in ipairs({{52, 512}, {34, 512}, {70, 512}, {52, 494}, {52, 530}}) do
  assert(globe_colour(p[1], p[2]), "the globe at " .. p[1] .. ", " .. p[2] .. ": " .. table.concat({pixel(p[1], p[2])}, ","))
end
for i = 0, 5 do
  local x, y = 8 + 28 * (i % 3) + 13, 544 + 28 * math.floor(i / 3) + 13
  assert(not globe_colour(x, y), "selector " .. i .. " shows")
end
for _, id in ipairs({"0_0_0", "0_1_1", "1_2_0"}) do
  demo.go_to("vethra", id)
  demo.wait_active(id)
  local part, column, row = tonumber(id:sub(1, 1)), tonumber(id:sub(3, 3)), tonumber(id:sub(5, 5))
  demo.click_on("btn_globe")
  tick(20)
  assert(vethra().map == 2, id .. ": the map is shown")
  assert(near(580, 380, WATER[part]), id .. ": the part picture's far corner: " .. table.concat({pixel(580, 380)}, ","))
  local x, y = 250 + column * 100, 150 + row * 80
  for _, p in ipairs({{x + 3, y + 40}, {x + 96, y + 40}, {x + 50, y + 3}, {x + 50, y + 76}}) do
    assert(near(p[1], p[2], MARKER), id .. ": the marker's edge at " .. p[1] .. ", " .. p[2] .. ": " ..
      table.concat({pixel(p[1], p[2])}, ","))
  end
  demo.click_on("btn_globe")
  tick(20)
  assert(vethra().map == 0, id .. ": hidden again")
end
assert(reports() == 0, "reports")
