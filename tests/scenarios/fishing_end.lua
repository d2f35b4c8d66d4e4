-- Done pressed while a caught fish waits to be landed ends the game there
-- and then, at any point of the wait: the fish never lands (not into the
-- basket, not as the key fish), the rod stays where the strike left it
-- through the fade, and the hand gets the end's item, the rod.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
fishing.enter()

-- A strike that hooks a fish.
local caught = false
for _ = 1, 40 do
  fishing.cast()
  if minigame().state == 3 then fishing.wait_state(4) end
  click(400, 300)
  if minigame().ft ~= 0 then
    caught = true
    break
  end
  fishing.wait_home()
end
assert(caught, "no fish hooked in forty strikes")
key("t") -- the game as it is, to come back to for each try

-- The landing comes at the 51st tick of the wait; the fade lasts 35.
for _, wait in ipairs({1, 20, 40, 49, 50}) do
  local at = " (done at wait " .. wait .. ")"
  key("x")
  demo.wait_active("pier_fishing")
  assert(minigame().state == 6 and minigame().ft ~= 0, "the hooked fish is back" .. at)
  tick_until(function() return minigame().wait_time >= wait end, 200, "the wait" .. at)
  assert(minigame().wait_time == wait, minigame().wait_time .. at)
  fishing.done()
  assert(flag("fish_none") == "true" and flag("fish_key") == "null", at)
  local faded = 0
  while minigame() do -- the game's scene, until its fade-out is over
    faded = faded + 1
    local m = minigame()
    assert(m.state == 6 and m.key == 0, "rod state " .. m.state .. ", key " .. m.key .. at)
    assert(fishing.basket() == "", fishing.basket() .. at)
    tick(1)
  end
  assert(faded >= 35, faded .. " ticks of fade" .. at)
  demo.wait_active("pier")
  assert(held() == "fishing_rod", tostring(held()) .. at)
  assert(flag("fish_key") == "null", at)
end
