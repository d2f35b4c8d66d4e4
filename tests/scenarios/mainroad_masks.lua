-- Masks that act: the switch sets a game variable that selects the room's
-- other state, which is rebuilt at once without a fade; the door fades the
-- room out and the hall in.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local function last_event()
  local e = events()
  return e[#e]
end

start_new_game()
local id, state, index = scene()
assert(id == "living_room" and index == 0)
local dark = {pixel(400, 80)}

click(115, 240) -- the switch
local flagged = false
for _, e in ipairs(events()) do
  if e == "flag lamp_lit=true" then flagged = true end
end
assert(flagged, "the switch sets lamp_lit")
tick(1)
id, state, index = scene()
assert(id == "living_room" and index == 1, "the lit state")
assert(state == 1, "rebuilt at once, active, no fade")
assert(last_event() == "scene_enter living_room")
local lit = {pixel(400, 80)}
assert(lit[1] > dark[1] + 100, "the lamp on the ceiling shines")

-- And off again.
click(115, 240)
tick(1)
id, state, index = scene()
assert(index == 0 and state == 1)

-- The door: the room fades out over 35 ticks, then the hall fades in.
click(670, 300)
id, state = scene()
assert(id == "hall" and state == 2, "the room fades out")
local out = 0
repeat
  tick(1)
  out = out + 1
  assert(out < 200, "the hall never came")
  id, state = scene()
until state ~= 2 and state ~= 3
assert(out == 36, "fade out and rebuild took " .. out .. " ticks")
assert(state == 0, "the hall fades in")
tick(35)
id, state = scene()
assert(id == "hall" and state == 1)
assert(last_event() == "scene_enter hall")
