-- Giving up without the key fish: the first time the game is lost (the
-- flag, the rod in the hand at the pier); the next visit's done button
-- only hints, the first hint, then the second again and again.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
fishing.enter()
fishing.wait_home()
fishing.done()
assert(flag("fish_none") == "true" and flag("fish_key") == "null")
assert(select(2, scene()) == 2, "the game fades out")
-- Finished: neither clicks nor buttons act any more.
click(300, 350)
fishing.done()
assert(minigame().substate == 0)
demo.wait_active("pier")
assert(held() == "fishing_rod", tostring(held()))

go("pier_fishing")
assert(held() == nil, "the rod was taken from the hand")
fishing.wait_home()
local function hint_after_done()
  fishing.done()
  tick(2)
  assert(window("hint") == "shown", "a hint")
  local shown = text("hint_text")
  demo.close_hints()
  return shown
end
local first = hint_after_done()
local second = hint_after_done()
local third = hint_after_done()
assert(first:find("glinted", 1, true) and second:find("still in the water", 1, true) and third == second,
  tostring(first) .. " / " .. tostring(second))
assert(select(2, scene()) == 1 and scene() == "pier_fishing", "still fishing")
