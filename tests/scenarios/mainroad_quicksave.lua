-- Quick save and quick load: "t" writes slot 1 under the quick-save name
-- with every section in its order and says so; after the player has walked
-- on and changed things, "x" brings back the scene, the item in hand, the
-- items' places and the game variables as they were.

-- Ticks until `done()` holds; fails after `limit` ticks.
local function tick_until(done, limit, what)
  for _ = 1, limit do
    if done() then return end
    tick(1)
  end
  assert(done(), what .. ": not within " .. limit .. " ticks")
end

local function start_new_game()
  tick(10)
  click(110, 282)
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

local function wait_active(id)
  tick_until(function() return scene() == id and select(2, scene()) == 1 end, 200, id)
end

start_new_game()
click(115, 240) -- light on: lamp_lit=true, the lit state
tick(1)
click(320, 350) -- the lamp in hand
assert(held() == "lamp")

local function section(doc, name)
  return doc:match("<" .. name .. "[ >].-</" .. name .. ">") or doc:match("<" .. name .. "[^>]*/>")
end

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
tick(1)
assert(window("popup") == "shown")
assert(text("popup_text") == "Game saved")

-- Walk on: the lamp back in its place, the light off, the key taken in the
-- hall.
click(400, 200)
click(115, 240)
tick(1)
assert(select(3, scene()) == 0)
click(670, 300)
wait_active("hall")
click(370, 420)
assert(held() == "key")
assert(registry("key") == 1)

key("x")
local id, state, index = scene()
assert(id == "living_room", "the saved scene")
assert(state == 0, "it fades in")
assert(index == 1, "in the state the saved variables choose")
assert(held() == "lamp", "the lamp is in hand again")
assert(registry("lamp") == 1)
assert(registry("key") ~= 1, "the key is no longer taken")
wait_active("living_room")
-- Saved again now, the items' places and the variables are what they were.
key("t")
for _, name in ipairs({"items_registry", "pointer_item", "current_scene", "flags_registry"}) do
  local before, now = section(saved, name), section(save_document(), name)
  assert(before and before == now, name .. " differs:\n" .. tostring(before) .. "\n" .. tostring(now))
end
-- The room plays on from there: the lamp goes back to its place.
click(400, 200)
assert(held() == nil and registry("lamp") == 0)
