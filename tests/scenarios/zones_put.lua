-- Putting things down in the hall: the lamp, brought from the living room,
-- goes past the shelf that is too narrow for it onto the table, at a spot of
-- the table's 5-pixel grid, and is recorded under "drop_zones". It lies on
-- the same spot when the hall is built again and after a quick save and
-- load; an empty hand takes it back. The key belongs to the hall and goes
-- back to its own place; in the living room, which has no zones, a foreign
-- item stays in hand.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local function wait_active(id) demo.wait_active(id, 200) end

-- The first game event after the first n, and all of them for messages.
local function first_event_since(n)
  local all, out = events(), {}
  for i = n + 1, #all do out[#out + 1] = all[i] end
  return out[1], table.concat(out, "; ")
end

-- The lamp's recorded spot on the hall table in a fresh quick save, or nil.
local function recorded_lamp()
  key("t")
  local section = save_document():match("<drop_zones>.-</drop_zones>") or ""
  assert(not section:find("hall_shelf", 1, true), "nothing on the shelf: " .. section)
  local x, y = section:match('<hall_table>%s*<lamp x="(%-?%d+)" y="(%-?%d+)"/>%s*</hall_table>')
  tick(130) -- the saved message goes
  return tonumber(x), tonumber(y)
end

local function lamp_drawn_at(x, y)
  tick(1)
  local r, g = pixel(x + 20, y + 20)
  return r > 200 and g > 200
end

start_new_game()
click(320, 350)
assert(held() == "lamp")
click(670, 300)
wait_active("hall")

-- Any click on the bare hall offers the lamp to the zones.
click(420, 300)
assert(held() == nil, "the lamp was put down")
assert(registry("lamp") == 4, "place stDropped")
local x, y = recorded_lamp()
assert(x and y, "recorded under drop_zones")
assert(x >= 180 and x + 40 <= 380 and y >= 460 and y + 40 <= 540, "on the table: " .. x .. "," .. y)
assert((x - 180) % 5 == 0 and (y - 460) % 5 == 0, "on the grid: " .. x .. "," .. y)
assert(lamp_drawn_at(x, y), "the lamp lies on the table")

-- Built again: through the door and back.
click(110, 300)
wait_active("living_room")
click(670, 300)
wait_active("hall")
assert(lamp_drawn_at(x, y), "the lamp lies where it was put")
local x2, y2 = recorded_lamp()
assert(x2 == x and y2 == y, "same record after the rebuild")

-- A quick load brings the same table back.
key("x")
wait_active("hall")
assert(lamp_drawn_at(x, y), "the lamp lies there after the load")
x2, y2 = recorded_lamp()
assert(x2 == x and y2 == y, "same record after the load")

-- An empty hand takes it back.
local seen = #events()
click(x + 20, y + 20)
assert(held() == "lamp", "taken back")
assert(registry("lamp") == 1)
local first, all = first_event_since(seen)
assert(first == "item_get lamp", all)
assert(recorded_lamp() == nil, "its record is gone")

-- The hall's own key goes back to its place, zones or not.
click(110, 300)
wait_active("living_room")
click(400, 200) -- the lamp home first
assert(held() == nil)
click(670, 300)
wait_active("hall")
click(370, 420)
assert(held() == "key")
click(420, 300)
assert(held() == nil and registry("key") == 0, "the key is back in its place")

-- Carried into the living room, which has no zones, it stays in hand.
click(370, 420)
click(110, 300)
wait_active("living_room")
click(400, 200)
assert(held() == "key", "nowhere to put it")
assert(registry("key") == 1)
tick(1)
assert(window("hint") == "shown" and text("hint_text") == "There is nowhere to put that down here.",
       "the no-drop-zone hint: " .. tostring(text("hint_text")))
assert(select(4, scene()), "the hint holds the scene")
