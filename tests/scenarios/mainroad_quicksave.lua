-- Quick save and quick load: "t" writes slot 1 under the quick-save name
-- with every section in its order and says so; after the player has walked
-- on and changed things, "x" brings back the scene, the item in hand, the
-- items' places and the game variables as they were.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

-- One section of a save document as text.
local function section(doc, name)
  return doc:match("<" .. name .. "[ >].-</" .. name .. ">") or doc:match("<" .. name .. "[^>]*/>")
end

local function wait_active(id) demo.wait_active(id, 200) end

start_new_game()
click(115, 240) -- light on: lamp_lit=true, the room's lit state
tick(1)
click(670, 300) -- to the hall
wait_active("hall")
click(370, 420) -- the key in hand
assert(held() == "key")

key("t")
local doc = save_document()
local saved = doc
assert(doc:find('<save save_name="Quick save" ind="1">', 1, true), doc)
local order = {"items_registry", "panel", "pointer_item", "current_world", "current_scene",
               "flags_registry", "minigame_registry", "drop_zones", "magic_registry",
               "timer_controllers", "missions_manager", "hints_manager", "indicators"}
local at = 0
for _, section in ipairs(order) do
  local found = doc:find("<" .. section .. "[ />]", at + 1)
  assert(found, section .. " missing or out of order")
  at = found
end
assert(doc:find('<lamp_lit value="true"/>', 1, true), doc)
assert(doc:find('<pointer_item item_id="key"/>', 1, true), doc)
tick(1)
assert(window("popup") == "shown")
assert(text("popup_text") == "Game saved")

-- Walk on: the key back in its place, down to the living room, the light
-- off.
click(400, 200)
assert(held() == nil)
click(110, 300)
wait_active("living_room")
click(115, 240)
tick(1)
assert(select(3, scene()) == 0, "the dark state")
assert(registry("key") == 0)

key("x")
local id, state, index = scene()
assert(id == "hall", "the saved scene")
assert(state == 0, "it fades in")
assert(held() == "key", "the key is in hand again")
assert(registry("key") == 1)
wait_active("hall")
-- Saved again now, the items' places and the variables are what they were.
key("t")
for _, name in ipairs({"items_registry", "pointer_item", "current_scene", "flags_registry"}) do
  local before, now = section(saved, name), section(save_document(), name)
  assert(before and before == now, name .. " differs:\n" .. tostring(before) .. "\n" .. tostring(now))
end
-- The hall plays on from there: the key goes back to its place, and the
-- living room is lit as it was.
click(400, 200)
assert(held() == nil and registry("key") == 0)
click(110, 300)
wait_active("living_room")
assert(select(3, scene()) == 1, "the lit state")
