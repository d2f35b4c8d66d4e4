-- The crypt's altar. Its first stone goes in only after the other three:
-- offered first it is refused and stays in the hand. The last stone
-- completes the altar; clicked with an empty hand it is not set off, with
-- the gem it is: the scene holds while two lights rise over it (ten ticks
-- each), and it is lit on the tick the second has risen. Later visits find
-- it open.

local demo = require("lib.demo")
demo.start_new_game()
click(180, 485) -- the trapdoor
demo.wait_active("cellar")
click(730, 230) -- the door to the crypt
demo.wait_active("crypt")

local function stone(i) return 125 + 40 * i, 470 end
local function altar() click(400, 260) end
local function state() return select(2, item("altar")) end
local function paused() return select(4, scene()) end

click(stone(0))
assert(held() == "stone0")
altar()
assert(flag("altar_stone_too_soon") == "true", "the first stone, too soon")
assert(held() == "stone0", "it stays in the hand")
click(600, 120) -- put it back
assert(held() == nil)

for i = 1, 3 do
  click(stone(i))
  assert(held() == "stone" .. i)
  altar()
  assert(held() == nil, "stone " .. i .. " goes in")
  assert(flag("altar_done") == "null")
end
click(stone(0))
altar()
assert(held() == nil)
assert(flag("altar_done") == "true", "the last stone completes it")
assert(state() == "completed_anim", state())

altar()
assert(flag("altar_not_set_off") == "true", "an empty hand does not set it off")
assert(flag("altar_active") == "null")

click(715, 470) -- the gem
assert(held() == "gem")
altar()
assert(flag("altar_active") == "true")
assert(paused(), "the scene holds")
assert(held() == "gem", "the gem is not taken")
tick(19)
assert(flag("altar_lit") == "null" and paused())
tick(1)
assert(flag("altar_lit") == "true", "lit on the 20th tick")
assert(not paused(), "the scene runs again")

click(60, 300) -- the stairs
demo.wait_active("cellar")
click(730, 230)
tick_until(function() return scene() == "crypt" and select(2, scene()) == 0 end, 100, "the crypt")
assert(state() == "hole", "found open: " .. tostring(state()))
