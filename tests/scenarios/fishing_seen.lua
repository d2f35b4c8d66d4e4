-- The float can be seen through the whole of a cast: at home, as it drops,
-- while it rests and while a fish bites, and in the strike until the rod
-- lifts it out of sight. Every tick of one cast the float's frame lies on
-- the water above the panel, and the frame drawn shows it there.

local fishing = require("lib.fishing")
fishing.enter()

local function check(what)
  local m = minigame()
  local ok, why = fishing.float_seen(m)
  assert(ok, what .. " (rod state " .. m.state .. ", " .. m.rod_state .. "): " .. tostring(why))
end

-- One cast that shows the drop, a rest and a bite; a foul before then
-- brings the rod home, and the next cast is watched instead.
local seen
for _ = 1, 10 do
  fishing.wait_home()
  move(780, 120) -- the pointer in the sky, away from the float
  tick(1)
  check("at home")
  click(300, 350)
  move(780, 120)
  seen = {}
  for _ = 1, 3000 do
    tick(1)
    local m = minigame()
    if m.state == 0 then
      if m.substate ~= 8 then break end -- the cast, out of sight at the top; or a foul
    else
      check("in the water")
      seen[m.state] = true
      if seen[1] and seen[3] and seen[4] then break end
    end
  end
  if seen[1] and seen[3] and seen[4] then break end
end
assert(seen[1] and seen[3] and seen[4], "no cast with a drop, a rest and a bite in ten")

-- The strike: the catch, or the empty hook, shows until the rod lifts.
click(400, 300)
move(780, 120)
local ticks = 0
repeat
  tick(1)
  ticks = ticks + 1
  local m = minigame()
  assert(m.state == 6, "rod state " .. m.state)
  if m.wait_time == -1 then check("in the strike") end
until m.wait_time ~= -1
assert(ticks > 20, ticks .. " ticks of strike")
