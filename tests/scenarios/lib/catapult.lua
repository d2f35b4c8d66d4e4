-- Steps shared by the catapult scenarios, on the harbour's catapult game:
-- the far edge of the sea at y 150, the shore at 450, the aim starting at
-- (400, 300).
local demo = require("lib.demo")
local catapult = {}

-- A new game, up to the catapult, its tutorial read and closed: the game
-- plays from the next tick.
function catapult.start()
  demo.start_new_game()
  demo.close_hints()
  go("harbour_catapult")
  tick_until(function() return top_modal() == "catapult_tutorial" end, 100, "the catapult's tutorial")
  demo.click_on("catapult_tutorial_ok")
  assert(not select(4, scene()), "the game plays after the tutorial")
end

-- The aim as the game keeps it.
function catapult.cursor()
  local c = minigame().cursor
  return c.x, c.y
end

-- The ships afloat, each {x, y, speed, path, ...} as the game keeps them.
function catapult.ships()
  local m = minigame()
  local ships = {}
  for _, ship in ipairs(m.ships or {}) do ships[#ships + 1] = ship end
  return ships
end

-- Steers the aim with the arrow keys to within 2 pixels of (x, y): held
-- while far, then a tick at a time at the slowest speed.
function catapult.aim_at(x, y)
  local function axis(less, more, field, want)
    local held
    for _ = 1, 400 do
      local d = want - minigame().cursor[field]
      local k = d < 0 and less or more
      if held and (held ~= k or math.abs(d) <= 10) then
        key_up(held)
        held = nil
        tick(1)
      elseif math.abs(d) <= 2 then
        return
      elseif math.abs(d) > 10 then
        if not held then key_down(k) end
        held = k
        tick(1)
      else
        key_down(k)
        tick(1)
        key_up(k)
        tick(1)
      end
    end
    error("the aim does not reach " .. field .. " " .. want)
  end
  axis("left", "right", "x", x)
  axis("up", "down", "y", y)
end

local START = {p1 = 200, p2 = 400, p3 = 600}
local TOP, BOTTOM = 150, 450

-- Where the hull of a ship will be after `f` ticks: its speed in pixels
-- follows from how far along its path it is for its progress.
local function ahead(ship, f)
  local progress = math.max(ship.ctime, 1)
  local vx = (ship.x - START[ship.path]) * ship.speed / progress
  local vy = (ship.y - TOP) * ship.speed / progress
  local x, y = ship.x + vx * f, ship.y + vy * f
  local scale = math.min(1, (y - TOP) / (BOTTOM - TOP) + 0.1)
  -- The hull lies below the middle of the drawn ship.
  local hull = ship.visual == "ship_big" and 21 or 15
  return x, y + hull * scale
end

local function flight(y)
  local d = math.min(100, (y - TOP) / (BOTTOM - TOP) * 100)
  return 100 - math.floor(d) + 1
end

local keys = {}
local function hold(k, on)
  if on and not keys[k] then key_down(k) end
  if not on and keys[k] then key_up(k) end
  keys[k] = on
end

-- Plays the game to its end: the aim is steered with the arrow keys at the
-- ship nearest the shore, ahead of it by as far as it sails while the stone
-- flies, and a stone thrown once the catapult has reloaded. `each_tick` runs
-- after every tick. Returns the tick the game ended on and that of the last
-- shot, or nothing when it goes on past `limit` ticks.
function catapult.play(limit, each_tick)
  local reloaded_at, last_shot = 0, 0
  for t = 1, limit do
    if scene() ~= "harbour_catapult" or select(2, scene()) ~= 1 then
      return t, last_shot
    end
    local m = minigame()
    local target
    for _, ship in ipairs(catapult.ships()) do
      if ship.hit == 0 and (not target or ship.y > target.y) then target = ship end
    end
    if target then
      local cx, cy = m.cursor.x, m.cursor.y
      local tx, ty = ahead(target, flight(cy))
      tx, ty = ahead(target, flight(ty))
      -- Letting go of either key of an axis stops it: let go first.
      local want = {left = cx - tx > 3, right = tx - cx > 3, up = cy - ty > 3, down = ty - cy > 3}
      for k, on in pairs(want) do
        if not on then hold(k, false) end
      end
      for k, on in pairs(want) do
        if on then hold(k, true) end
      end
      if math.abs(cx - tx) <= 3 and math.abs(cy - ty) <= 3 and t >= reloaded_at and m.ft == -1 then
        key("space")
        reloaded_at = t + 101
        last_shot = t
      end
    else
      for _, k in ipairs({"left", "right", "up", "down"}) do hold(k, false) end
    end
    tick(1)
    if each_tick then each_tick() end
  end
end

return catapult
