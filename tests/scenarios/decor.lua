-- The crypt's decorations: a drip that loops and a draught now and then,
-- each on its own volume; a candle with its glow; and a glinting spot that
-- a touch with an empty hand lights up, and that turns the ring into a
-- feather.

local demo = require("lib.demo")
demo.start_new_game()
click(180, 485) -- the trapdoor
demo.wait_active("cellar")
click(730, 230) -- the door to the crypt
demo.wait_active("crypt")
move(600, 60)
tick(100)

local drips = 0
for _, path in ipairs(sounds()) do
  if path == "sounds/crypt_drip.wav" then drips = drips + 1 end
end
assert(drips == 1, "the drip is one looping sound, played " .. drips .. " times")
-- Types 0, 1000 and 1001 are the game's own: the first controller has 1.
assert(math.abs(volume(1) - 0.5) < 1e-6, "the drip's volume: " .. volume(1))

local r, g, b = pixel(470, 135)
assert(r > 200 and g > 200 and b > 190, "the candle burns in its niche")

-- Above the spot, where only its touch draws.
local function touched_look()
  local r, g, b = pixel(270, 398)
  return r == 255 and g == 250 and b == 160
end
assert(not touched_look())
click(270, 420)
assert(flag("sparkle_touched") == "true")
move(600, 60)
tick(1)
assert(touched_look(), "the touch shows its star")
assert(held() == nil)

-- With an item: the rule for the item and the spot applies, then its
-- composite; an item no rule names stays in the hand.
give("ring")
click(270, 420)
assert(held() == "feather", "the ring became a feather: " .. tostring(held()))
assert(flag("sparkle_wished") == "true")
click(270, 420)
assert(held() == "feather", "no rule for the feather")
