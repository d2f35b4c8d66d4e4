-- The catapult's shot and aim. A stone thrown at the middle of the sea flies
-- 50 ticks and splashes where it was aimed; the next one waits for the
-- reload. A held panel arrow steers faster and faster up to its limit, and
-- back to the slowest once let go; the panel's "up" steers at one speed;
-- the arrow keys steer while held. The menu button opens the local menu.
local catapult = require("lib.catapult")
catapult.start()

local SHOOT = "audio/sfx/minigames/catapult/shoot.ogg"
local SPLASH = "audio/sfx/minigames/catapult/splash.ogg"
local function count(path)
  local n = 0
  for _, s in ipairs(sounds()) do
    if s == path then n = n + 1 end
  end
  return n
end

-- No ship near the aim yet: they are still at the far edge.
for _, ship in ipairs(catapult.ships()) do assert(ship.y < 200, "a ship is near the aim") end
assert(minigame().ft == -1)
key("space")
local m = minigame()
assert(m.ft == 50, "the middle of the sea is 50 ticks away: " .. m.ft)
assert(m.catapult == "kick", "the catapult kicks: " .. tostring(m.catapult))
assert(m.lcx == 400 and m.lcy == 300)
assert(count(SHOOT) == 1, "the shoot sound")

-- Reloading: a second stone is refused, silently.
tick(10)
key("space")
assert(minigame().ft == 40, "the first stone flies on: " .. minigame().ft)
assert(count(SHOOT) == 1, "no second shot")

tick(40)
assert(minigame().ft == 0 and minigame().splash.state == "normal", "not landed yet")
tick(1)
m = minigame()
assert(m.ft == -1)
assert(m.splash.state == "splash", "a splash where it fell: " .. m.splash.state)
assert(m.splash.x == 400 and m.splash.y == 300)
assert(count(SPLASH) == 1, "the splash sound")

-- A held "left" arrow of the panel: 2.5 pixels, then half a pixel more each
-- tick, up to 7.5.
local x, y, w, h = window_rect("btn_left")
press(x + w / 2, y + h / 2)
local steps = {}
local last = catapult.cursor()
for _ = 1, 14 do
  tick(1)
  local now = catapult.cursor()
  steps[#steps + 1] = last - now
  last = now
end
release(x + w / 2, y + h / 2)
local expected = {2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7, 7.5, 7.5, 7.5, 7.5}
for i, step in ipairs(expected) do
  assert(math.abs(steps[i] - step) < 1e-3, "step " .. i .. ": " .. steps[i] .. " where " .. step)
end
tick(1)
assert(minigame().cursor.dx == 2, "let go, the speed is back to 2: " .. minigame().cursor.dx)
assert(catapult.cursor() == last, "let go, the aim rests")

-- The panel's "up" brings the aim nearer the shore, always at 2.5.
x, y, w, h = window_rect("btn_up")
press(x + w / 2, y + h / 2)
local _, y0 = catapult.cursor()
tick(4)
local _, y1 = catapult.cursor()
release(x + w / 2, y + h / 2)
assert(math.abs(y1 - y0 - 10) < 1e-3, "four ticks of 2.5 down the screen: " .. (y1 - y0))

-- The arrow keys steer while held.
local x0 = catapult.cursor()
key_down("left")
tick(3)
local x1 = catapult.cursor()
assert(x1 < x0, "the left key steers left")
key_up("left")
tick(3)
assert(catapult.cursor() == x1, "let go, the aim stays")

-- The menu button of the panel opens the local menu.
game_lua("onCatapultMenuClick()")
tick(1)
assert(top_modal() == "localmenu", "the local menu: " .. tostring(top_modal()))
