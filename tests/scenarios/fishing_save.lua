-- A quick save during a bite and its load bring the game back as it was:
-- rod state, the rod's look, its position and the last click; the caught
-- fish come back in the basket with the panel.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
fishing.enter()
for _ = 1, 40 do
  if panel().fishing.items[1] then break end
  fishing.cast()
  if minigame().state == 3 then fishing.wait_state(4) end
  fishing.strike()
end
local basket = fishing.basket()
assert(basket ~= "", "nothing caught in forty casts")

fishing.cast(250, 400)
fishing.wait_state(4)
local before = minigame()
key("t")
key("x")
assert(select(2, scene()) == 0, "the loaded game fades in")
local after = minigame()
for _, name in ipairs({"state", "substate", "rod_state", "rod_x", "rod_y", "click_x", "click_y", "ft", "biting",
                       "shs", "key", "wait_time"}) do
  assert(after[name] == before[name], name .. ": " .. tostring(before[name]) .. " then " .. tostring(after[name]))
end
assert(after.click_x == 250 and after.click_y == 400)
assert(fishing.basket() == basket, fishing.basket())
demo.wait_active("pier_fishing")
assert(fishing.basket() == basket, fishing.basket())
