-- The plan shows the plants it asks for, each as it grows in the beds:
-- in every place of the plan most drawn pixels are those of the plant of
-- that goal in the beds (the edges blend with the paper or the soil), and
-- far fewer those of any other plant. An
-- icon then fades in over the place of a plant gathered: a green tick.

local plants = require("lib.plants")
plants.start_with_plan()
plants.enter()
plants.close_tutorial()

local paper = {240, 232, 200}
-- The plan lies at (200, 80); its places' plants 40 by 40 at (55, 55),
-- (180, 55) and (305, 55) of it.
local places = {mint = {255, 135}, sage = {380, 135}, fern = {505, 135}}
local function same(x1, y1, x2, y2)
  local r1, g1, b1 = pixel(x1, y1)
  local r2, g2, b2 = pixel(x2, y2)
  return r1 == r2 and g1 == g2 and b1 == b2
end
local function is_paper(x, y)
  local r, g, b = pixel(x, y)
  return r == paper[1] and g == paper[2] and b == paper[3]
end
-- Of the place's drawn pixels (not paper), how many the bed's plant at
-- `at` (its middle) has too.
local function likeness(place, at)
  local drawn, alike = 0, 0
  for dy = 0, 39 do
    for dx = 0, 39 do
      local x, y = place[1] + dx, place[2] + dy
      if not is_paper(x, y) then
        drawn = drawn + 1
        if same(x, y, at[1] - 20 + dx, at[2] - 20 + dy) then alike = alike + 1 end
      end
    end
  end
  return alike, drawn
end

tick(1)
assert(not is_paper(300, 100), "no plan before it is shown")
plants.show_plan()
tick(1)
for goal, place in pairs(places) do
  local alike, drawn = likeness(place, plants.at[goal])
  assert(drawn >= 60 and alike >= drawn / 2, goal .. ": " .. alike .. " of " .. drawn .. " pixels as in the beds")
  for other, at in pairs(plants.at) do
    if other ~= goal then
      local like = likeness(place, at)
      assert(like < alike / 4, goal .. "'s place looks like the " .. other .. ": " .. like .. " of " .. drawn)
    end
  end
end

-- The tick over the mint's place once the mint is gathered, not before.
local function ticked(place)
  local r, g, b = pixel(place[1] + 37, place[2] + 47)
  return r == 32 and g == 112 and b == 32
end
assert(not ticked(places.mint))
plants.store("mint", 0)
tick(20)
assert(plants.alpha("mint") == 1 and ticked(places.mint), "the mint ticked")
assert(not ticked(places.sage) and not ticked(places.fern))
assert(reports() == 0, reports() .. " report line(s)")
