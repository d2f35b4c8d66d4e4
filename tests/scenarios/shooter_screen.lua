-- The range as a player sees it: the sight is the only pointer drawn (no
-- arrow beside it), and each score mark on the counter, left of the
-- panel's box, turns green after a hit and red after a miss on the frame
-- that follows the shot. Once the game is over the arrow is drawn again.
local demo = require("lib.demo")
local range = require("lib.range")

-- Whether the pointer's arrow is drawn at the point: its black outline
-- lies in the 24 by 24 box right and below it.
local function arrow_at(x, y)
  for dy = 0, 23 do
    for dx = 0, 23 do
      local r, g, b = pixel(x + dx, y + dy)
      if r == 0 and g == 0 and b == 0 then return true end
    end
  end
  return false
end

local function sight_near(x, y)
  for dy = -20, 20 do
    for dx = -20, 20 do
      local r, g, b = pixel(x + dx, y + dy)
      if r > 180 and g < 80 and b < 80 then return true end
    end
  end
  return false
end

range.enter()
assert(panel().kind == 13)
for _, at in ipairs({{300, 300}, {150, 120}, {500, 420}}) do
  move(at[1], at[2])
  tick(2)
  assert(sight_near(at[1], at[2]), "the sight at " .. at[1] .. "," .. at[2])
  assert(not arrow_at(at[1], at[2]), "an arrow beside the sight at " .. at[1] .. "," .. at[2])
end

-- The marks' centres (range.xml: 30 by 30 from x 470, 505, 540, 575; y 545).
local marks = {}
for i = 1, 4 do marks[i] = {470 + 35 * (i - 1) + 15, 560} end
local function look(i)
  local r, g, b = pixel(marks[i][1], marks[i][2])
  if g > 2 * r and g > 2 * b then return "good" end
  if r > 2 * g and r > 2 * b then return "bad" end
  -- An empty ring: the counter inside, the light ring round it.
  local rr, rg, rb = pixel(marks[i][1], marks[i][2] - 11)
  if rr > 180 and rg > 160 and r < 130 then return "empty" end
  return string.format("%d,%d,%d", r, g, b)
end
for i = 1, 4 do assert(look(i) == "empty", "mark " .. i .. " before the shots: " .. look(i)) end

-- Miss, miss, hit, miss: the fourth bullet ends the game lost.
local game = minigame()
local shots = {{100, 400, "bad"}, {700, 420, "bad"}, {game.goals[1].x, game.goals[1].y, "good"},
               {100, 380, "bad"}}
for i, shot in ipairs(shots) do
  click(shot[1], shot[2])
  tick(1)
  assert(look(i) == shot[3], "mark " .. i .. " after the shot: " .. look(i))
  for j = i + 1, 4 do assert(look(j) == "empty", "mark " .. j .. " after shot " .. i .. ": " .. look(j)) end
  tick(2) -- the gun kicks
end
assert(flag("shooter_lost") == "true")
demo.wait_active("tavern")
move(300, 300)
tick(2)
assert(arrow_at(300, 300), "the arrow is back after the game")
