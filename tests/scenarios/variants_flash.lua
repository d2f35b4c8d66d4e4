-- Flash clips stand in as PNG frame sequences. The opening clip has no
-- frames, so its result (a passage to the next scene) runs the moment its
-- fade-in ends. The next clip has six frames at 40 ms; its result, a chime
-- that leaves the scene as it is, runs once when the last frame shows and
-- never again however long the player watches.

local demo = require("lib.demo")

local function chimes()
  local n = 0
  for _, path in ipairs(sounds()) do
    if path:find("chime", 1, true) then n = n + 1 end
  end
  return n
end

local function red(x, y)
  local r = pixel(x, y)
  return r
end

demo.enter_name()
tick(10)
click(110, 282)
local limit = 600
repeat tick(1); limit = limit - 1 until scene() == "intro" or limit == 0
assert(scene() == "intro", "the new game opens on the intro clip")

-- The intro fades in and is left on the very tick the fade ends: it is
-- never seen active after a whole tick.
local fading = 0
while scene() == "intro" and select(2, scene()) == 0 do
  fading = fading + 1
  tick(1)
end
-- The game object names the next scene at once; the intro fades out.
assert(scene() == "movie", "the passage leads on: " .. tostring(scene()))
assert(select(2, scene()) == 2, "straight from the fade-in to the fade-out: " .. select(2, scene()))
assert(fading <= 36, "the intro leads on once its fade-in is over: " .. fading)

limit = 200
repeat tick(1); limit = limit - 1 until (scene() == "movie" and select(2, scene()) == 1) or limit == 0
assert(scene() == "movie" and select(2, scene()) == 1, "the movie plays")
assert(chimes() == 0, "no chime before the movie's last frame")

-- Frames advance every 40 ms; the sixth (last) one shows 200 ms in.
local started = timer()
local first = red(400, 300)
local chimed_at
for t = 1, 30 do
  tick(1)
  if chimes() > 0 and not chimed_at then chimed_at = timer() - started end
end
assert(first >= 0x0f and first <= 0x11, "the first frame shows: " .. first)
assert(red(400, 300) >= 0x5f, "the last frame stays: " .. red(400, 300))
assert(chimed_at and chimed_at >= 200 and chimed_at < 216,
       "the chime comes with the last frame: " .. tostring(chimed_at))

tick(300)
assert(chimes() == 1, "the result runs once: " .. chimes())
assert(scene() == "movie" and select(2, scene()) == 1, "and the movie stays")
