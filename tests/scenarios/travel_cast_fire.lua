-- The fire magic. With the six magics earned and the apple in hand, fire is
-- chosen and cast: its own sound plays, the apple's name waits in
-- "__fire_magic_saved_item", the burning item takes its place and its flag
-- reads "true". The fire goes out by itself and gives the apple back; the
-- button refills over its 600 restore ticks, two panel ticks a heartbeat,
-- and is ready the heartbeat after it is full. Asleep, the cast is refused:
-- no sound, the hand and the ready button stay.

local demo = require("lib.demo")

demo.start_new_game()
demo.unlock_magics()
give("apple")

local heard = #sounds()
demo.cast("fire")
local played = sounds()
assert(#played == heard + 1 and played[#played] == "sounds/fire_magic.wav", tostring(played[#played]))
assert(flag("__fire_magic_saved_item") == "apple")
assert(held() == "fire_magic_item", tostring(held()))
assert(flag("fire_on") == "true")
assert(not select(5, magic("fire")), "the button is emptied")

-- 600 restore ticks are 300 heartbeats; ready on the one after.
local ready, back
for beat = 1, 400 do
  tick(1)
  if not back and held() == "apple" then back = beat end
  if select(5, magic("fire")) then
    ready = beat
    break
  end
end
assert(ready == 301, "ready after " .. tostring(ready) .. " heartbeats")
assert(back and back < 300, "the fire went out and gave the apple back")
assert(flag("fire_on") == "false")

set_flag("are_we_sleeping", "true")
heard = #sounds()
demo.cast("fire")
assert(#sounds() == heard, "no sound")
assert(held() == "apple", tostring(held()))
assert(select(5, magic("fire")), "the button stays ready")
assert(flag("fire_on") == "false")
