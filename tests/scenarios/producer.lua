-- The workshop's well hands a jug of water into an empty hand, and takes it
-- back from a click anywhere in the scene; the bundle of tools given back
-- returns the three tools it stands for; a berry eats itself.

local demo = require("lib.demo")
local ws = require("lib.workshop")

local function count(line)
  local n = 0
  for _, e in ipairs(events()) do
    if e == line then n = n + 1 end
  end
  return n
end

ws.enter()
ws.click("well")
assert(held() == "water_jug", tostring(held()))
assert(ws.last_sound() == "sounds/splash.wav", ws.last_sound())
assert(count("item_create water_jug") == 1)

for _, where in ipairs({"wall", "well"}) do
  if not held() then ws.click("well") end
  assert(held() == "water_jug")
  local made = count("item_create water_jug")
  ws.click(where)
  assert(held() == nil, "given back at the " .. where)
  assert(ws.last_sound() == "sounds/put.wav", ws.last_sound())
  assert(count("item_create water_jug") == made, "nothing new is made at the " .. where)
  tick(2)
  assert(window("hint") == nil)
end

-- The bundle of tools, released over the scene, returns its three tools,
-- quietly.
give("tool_bundle")
local seen, played = #events(), #sounds()
ws.click("wall")
assert(held() == nil)
for _, name in ipairs({"saw", "pliers", "chisel"}) do
  assert(registry(name) == 0, name)
  assert(demo.events_since(seen):find("item_scene_return " .. name, 1, true), demo.events_since(seen))
end
local returns = select(2, demo.events_since(seen):gsub("item_scene_return", ""))
assert(returns == 3, returns)
assert(#sounds() == played, "no put sound")

-- The berry acts on the first tick in hand and eats itself.
give("berry")
assert(flag("ate") == "null")
tick(1)
assert(flag("ate") == "true")
assert(held() == nil)
