-- What a player sees of the catapult's aim and shot, read from the screen:
-- each arrow of the panel points the way it moves the aiming mark, and a
-- stone that misses raises a splash that shows round the mark (not only
-- under it) wherever it falls: far out, in mid-sea and near the shore.
local catapult = require("lib.catapult")
catapult.start()

local function away()
  move(700, 100) -- the pointer off the panel
  tick(2)
end

-- Where the aiming mark is drawn: the middle of its red near where the
-- game keeps the aim.
local function mark()
  local cx, cy = catapult.cursor()
  local sx, sy, n = 0, 0, 0
  for y = math.floor(cy) - 30, math.floor(cy) + 30 do
    for x = math.floor(cx) - 30, math.floor(cx) + 30 do
      local r, g, b = pixel(x, y)
      if r > 240 and g < 80 and b < 70 then sx, sy, n = sx + x, sy + y, n + 1 end
    end
  end
  assert(n > 20, "no aiming mark drawn near " .. cx .. "," .. cy)
  return sx / n, sy / n
end

-- The way a panel button's arrow points: from the middle of its light
-- pixels (the arrow's broad base) out to its tip, as x and y.
local function arrow(name)
  local x0, y0, w, h = window_rect(name)
  local sx, sy, n = 0, 0, 0
  local left, right, top, bottom = math.huge, -math.huge, math.huge, -math.huge
  for y = y0, y0 + h - 1 do
    for x = x0, x0 + w - 1 do
      local r, g, b = pixel(x, y)
      if r > 220 and g > 200 and b > 140 and b < 210 then
        sx, sy, n = sx + x, sy + y, n + 1
        left, right = math.min(left, x), math.max(right, x)
        top, bottom = math.min(top, y), math.max(bottom, y)
      end
    end
  end
  assert(n > 30, name .. ": no arrow drawn")
  return (left + right) / 2 - sx / n, (top + bottom) / 2 - sy / n
end

-- The main axis and sign of a move: "+x", "-x", "+y" or "-y".
local function way(dx, dy)
  if math.abs(dx) > math.abs(dy) then return dx > 0 and "+x" or "-x" end
  return dy > 0 and "+y" or "-y"
end

-- A splash, near the shore, in mid-sea and far out: the most pixels round
-- the mark (its own 34 by 34 left out) that the splash lightens in one
-- frame, against the frame before the stone fell. Away from the lanes, so
-- that no ship sails through.
local shots = os.getenv("TOLVANE_SHOTS") -- a folder for the screenshots
local places = {{x = 500, y = 420, least = 800}, {x = 300, y = 300, least = 500}, {x = 300, y = 200, least = 100}}
local thrown = -100
for i, at in ipairs(places) do
  catapult.aim_at(at.x, at.y)
  tick(math.max(0, thrown + 100 - timer() / 16)) -- reloaded
  assert(select(2, scene()) == 1, "the game goes on")
  key("space")
  thrown = timer() / 16
  assert(minigame().ft >= 0, "a stone thrown")
  tick_until(function() return minigame().ft == 0 end, 200, "the stone coming down")
  local mx, my = mark()
  local function lit(x, y)
    local r, g, b = pixel(x, y)
    return r + g + b
  end
  local before, box = {}, {}
  for y = at.y - 80, at.y + 30 do
    for x = at.x - 40, at.x + 40 do
      if math.abs(x - mx) > 17 or math.abs(y - my) > 17 then
        box[#box + 1] = {x, y}
        before[#box] = lit(x, y)
      end
    end
  end
  tick(1)
  assert(minigame().splash.state == "splash", "a miss splashes")
  local most, seen = 0, 0
  for _ = 1, 60 do
    tick(1)
    local n = 0
    for j, p in ipairs(box) do
      if lit(p[1], p[2]) - before[j] >= 60 then n = n + 1 end
    end
    if n > most and shots then screenshot(shots .. "/splash" .. i .. ".png") end
    most = math.max(most, n)
    if n >= at.least / 3 then seen = seen + 1 end
  end
  assert(most >= at.least, "the splash at " .. at.x .. "," .. at.y .. " shows " .. most .. " pixels round the mark")
  -- In sight a while, not a flicker.
  assert(seen >= 20, "the splash at " .. at.x .. "," .. at.y .. " shows for " .. seen .. " ticks")
end

-- Each arrow held for six ticks moves the mark the way it points, as the
-- arrow keys would: "btn_up" towards the shore, down the screen.
local moves = {btn_up = "+y", btn_down = "-y", btn_left = "-x", btn_right = "+x"}
for _, name in ipairs({"btn_up", "btn_down", "btn_left", "btn_right"}) do
  away()
  local points = way(arrow(name))
  local mx, my = mark()
  local ax, ay = catapult.cursor()
  local x, y, w, h = window_rect(name)
  press(x + w / 2, y + h / 2)
  tick(6)
  release(x + w / 2, y + h / 2)
  away()
  local nx, ny = mark()
  local bx, by = catapult.cursor()
  local moved = way(nx - mx, ny - my)
  assert(moved == moves[name] and way(bx - ax, by - ay) == moved, name .. " moves the aim " .. moved)
  assert(points == moved, name .. "'s arrow points " .. points .. " but it moves the aim " .. moved)
end
