-- Taking an item and putting it back: a click takes the lamp onto the
-- pointer (event "item_get", place 1 in the items registry), a click on
-- empty scene returns it (place 0, "item_scene_return"). A held item is not
-- made again when its scene is built again.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

-- The first game event after the first n, and all of them for messages.
local function first_event_since(n)
  local all, out = events(), {}
  for i = n + 1, #all do out[#out + 1] = all[i] end
  return out[1], table.concat(out, "; ")
end

start_new_game()
assert(registry("lamp") == 0, "made in the scene: place stScene")
local seen = #events()
local played = #sounds()
click(320, 350)
assert(held() == "lamp")
assert(registry("lamp") == 1, "place stPointer is written at once")
local first, all = first_event_since(seen)
assert(first == "item_get lamp", all)
local s = sounds()
assert(#s == played + 1 and s[#s] == "sounds/lamp_get.wav", "the lamp's own take sound")

-- Empty scene: the lamp goes back.
seen = #events()
click(400, 200)
assert(held() == nil)
assert(registry("lamp") == 0, "place stScene")
first, all = first_event_since(seen)
assert(first == "item_scene_return lamp", all)
tick(1)
local r, g, b = pixel(320, 350)
assert(r > 200 and g > 200, "the lamp stands in the room again")

-- Take it and walk to the hall and back: the room is built twice, the lamp
-- stays in hand and is not made again in the room.
click(320, 350)
assert(held() == "lamp")
click(670, 300)
tick_until(function() return scene() == "hall" and select(2, scene()) == 1 end, 200, "the hall")
click(110, 300)
tick_until(function() return scene() == "living_room" and select(2, scene()) == 1 end, 200, "the living room")
assert(held() == "lamp")
assert(registry("lamp") == 1)
r, g, b = pixel(320, 350)
assert(r < 60 and g < 60, "no second lamp in the room")
click(400, 200) -- back to its place
assert(registry("lamp") == 0)
assert(held() == nil)
