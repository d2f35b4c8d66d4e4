-- The catapult won: the aim is steered with the arrow keys at the ship
-- nearest the shore, ahead of it by as far as it sails while the stone
-- flies, and a stone thrown once the catapult has reloaded. Each hit
-- explodes and the ship breaks up; after five ships the harbour is saved.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
catapult.start()

local EXPLOSION = "audio/sfx/minigames/catapult/explosion.ogg"
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

local reloaded_at = 0
local explosions = 0
local hit_seen = 0
local done = false
local last_shot, ended = 0, 0
for t = 1, 15000 do
  if scene() ~= "harbour_catapult" or select(2, scene()) ~= 1 then
    done = true
    ended = t
    break
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
  for _, ship in ipairs(catapult.ships()) do
    if ship.hit == 1 then hit_seen = math.max(hit_seen, 1) end
    if ship.hit == 1 then assert(ship.state == "destroy", "a hit ship breaks up: " .. ship.state) end
  end
end
assert(done, "the game did not end within 15000 ticks")
assert(minigame().total_ships == 5, "five ships launched: " .. minigame().total_ships)
assert(#catapult.ships() == 0, "none afloat")
-- The catapult had reloaded, yet once the game is over its fire button
-- throws nothing.
assert(ended - last_shot > 100, "reloaded at the end")
local shots = #sounds()
game_lua("onCatapultShoot()")
assert(#sounds() == shots and minigame().ft == -1, "no stone after the end")
for _, s in ipairs(sounds()) do
  if s == EXPLOSION then explosions = explosions + 1 end
end
assert(explosions >= 5, "five ships hit: " .. explosions)
assert(hit_seen == 1)
assert(flag("harbour_saved") == "true", "the harbour is saved")
assert(flag("harbour_burnt") == "null")
assert(held() == nil, "the catapult gives nothing")
demo.wait_active("harbour")
