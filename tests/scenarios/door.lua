-- The workshop's door: its own key unlocks it and is used up, the door
-- swings open in four frames of 100 ms and then shows what lies behind it.
-- It leads to the yard only with the lamp in hand; without, every click
-- gives the hint again. A hint still waiting when the scene is left is shown
-- in the next one.

local demo = require("lib.demo")
local ws = require("lib.workshop")

local function state() return select(2, item("door")) end

ws.enter()
assert(state() == "stLocked")
assert(registry("door") == nil, "a locked door records nothing")

give("brass_key2")
ws.click("door")
assert(held() == nil, "the key's only target: it is used up")
assert(registry("brass_key2", 0) == 1 and registry("brass_key2", 1) == 0)
assert(ws.last_sound() == "sounds/door_creak.wav", ws.last_sound())
assert(state() == "stOpening")
assert(registry("door") == 2)
assert(item("oil_can") == nil)
tick(23)
assert(state() == "stOpening", "still swinging after 368 ms")
tick_until(function() return state() == "stUnlocked" end, 4, "the door open after 400 ms")
assert(item("oil_can") == "oil_can", "what lies behind is shown")

-- No lamp: the hint, each time.
for round = 1, 2 do
  ws.click("door")
  tick(1)
  assert(window("hint") == "shown", "round " .. round)
  assert(text("hint_text") == "It is pitch dark beyond the door. Bring a light.", text("hint_text"))
  demo.close_hints()
  assert(scene() == "workshop")
end

-- One more hint queued, then the lamp: the way is open while the hint waits.
ws.click("door")
give("lamp")
ws.click("door")
demo.wait_active("yard")
assert(held() == "lamp")
tick(1)
assert(window("hint") == "shown", "the waiting hint comes up in the yard")
assert(text("hint_text") == "It is pitch dark beyond the door. Bring a light.")
demo.close_hints()
