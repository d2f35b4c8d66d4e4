-- The health magic earned by drinking: the crypt's flask filled at the
-- cistern and brewed in the cauldron gives the finished health potion. The
-- first drink is counted; the second reaches the magic's threshold of two:
-- the unlock sound plays, the scene pauses and the unlock effect shines in
-- it. The health buttons appear 40 panel ticks later, 20 heartbeats as the
-- crypt ticks the panel twice: "magic_button_unlock" is sent and the scene
-- runs again. Its selector then makes health the current magic.

local demo = require("lib.demo")

demo.start_new_game()
click(180, 485) -- the trapdoor
demo.wait_active("cellar")
click(730, 230) -- the door to the crypt
demo.wait_active("crypt")
click(495, 475) -- the flask
assert(held() == "flask")

local function brew_and_drink()
  click(700, 320) -- the cistern
  click(580, 420) -- the cauldron
  assert(item("flask") == "flask_health_complete")
  click(400, 150, "right") -- drink
end

local function brightness(x, y)
  local r, g, b = pixel(x, y)
  return r + g + b
end

brew_and_drink()
local value, drinks, small = magic("health")
assert(value == 0 and drinks == 1 and not small, "one drink is counted, no more")
assert(not select(4, scene()))

tick(1)
local dark = brightness(400, 300)
local heard, seen = #sounds(), #events()
brew_and_drink()
local after = sounds()
assert(after[#after] == "sounds/unlock_magic.wav", after[#after])
value, drinks, small = magic("health")
assert(value == 2 and drinks == 2 and not small, "played at once, shown later")
assert(select(4, scene()) and panel().locked, "the scene waits")
tick(6)
assert(brightness(400, 300) > dark + 100, "the unlock effect shines in the scene")

-- 20 heartbeats from the drink: on the twentieth the buttons show.
tick(13)
assert(not select(3, magic("health")), "not yet")
tick(1)
local _, _, shown_small, shown_big, ready = magic("health")
assert(shown_small and shown_big and ready, "the health buttons")
assert(demo.events_since(seen):find("magic_button_unlock health", 1, true), demo.events_since(seen))
assert(not select(4, scene()) and not panel().locked, "the scene runs again")

