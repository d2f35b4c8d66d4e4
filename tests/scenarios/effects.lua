-- The full-screen effects over the paused scene. The health effect fades
-- its picture in over 30 heartbeats and out over 30 more, the scene paused
-- and deaf to clicks until it is gone; the fire waits 20 heartbeats first;
-- waking up changes the scene behind the opaque picture and runs its action
-- once the picture has faded out. An effect asked for while one runs is
-- dropped.

local demo = require("lib.demo")
demo.start_new_game()

local function paused() return select(4, scene()) end
-- A spot of the living room's wall, away from the pointer and the glow.
local function wall() return pixel(700, 60) end
local function near(a, b) return math.abs(a - b) <= 3 end

move(320, 350)
tick(1)
local r0, g0, b0 = wall()

show_effect("health")
assert(paused(), "the effect pauses the scene")
click(320, 350) -- the lamp
assert(held() == nil, "a click takes nothing while the effect plays")
tick(15)
local r, g, b = wall()
assert(near(r, (r0 + 60) / 2) and near(g, (g0 + 200) / 2) and near(b, (b0 + 120) / 2),
  string.format("half way: %d %d %d", r, g, b))
tick(43)
assert(window("magic_effect") == "shown" and paused(), "still there after 58 heartbeats")
tick(1)
assert(window("magic_effect") == nil, "gone after 59")
assert(not paused(), "the scene runs again")
r, g, b = wall()
assert(r == r0 and g == g0 and b == b0)

show_effect("fire")
tick(19)
r = wall()
assert(r == r0, "the fire waits")
tick(1)
r = wall()
assert(r > r0 + 3, "the fire's fade begins on heartbeat 20")
tick_until(function() return window("magic_effect") == nil end, 100, "the fire's end")

-- While one effect runs another is dropped, and the first ends on time.
show_effect("health")
tick(10)
set_flag("slept_scene", "hall")
show_effect("wake_up")
show_effect("fire")
tick(48)
assert(window("magic_effect") == "shown" and window("wake_up_effect") == nil)
tick(1)
assert(window("magic_effect") == nil and not paused())
assert(scene() == "living_room" and flag("woke") == "null")

-- Waking up: the picture covers the screen on heartbeat 29, the scene
-- behind it changes then, and the action runs when it has faded out.
set_flag("slept_scene", "yard")
show_effect("wake_up")
assert(paused())
tick(28)
assert(scene() == "living_room", "the old scene until the picture covers it")
tick(1)
assert(scene() == "yard", "the slept scene behind the picture")
tick(28)
assert(flag("woke") == "null")
tick(1)
assert(flag("woke") == "true", "the action once the picture has faded")
tick(1)
assert(window("wake_up_effect") == nil and not paused())
