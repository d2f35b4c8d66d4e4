-- The kitchen's mixing bowl makes a salad of the cut onion and a tomato.
-- Each product is rated and moves the cooking scene's bar: half a salad
-- (250 of 300 left), then a whole one (200), which finishes the dish (stage
-- 2 in the saved state), plays the right dish's sound and fades its salad
-- layer in over 20 ticks. An item that is no product stays in the hand.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
demo.start_new_game()
nursery.go_to_nursery()
nursery.go_to_kitchen()
nursery.close_cook_tutorial()

local function bar() return minigame().curval end
assert(bar() == 300, "a fresh kitchen: " .. tostring(bar()))

give("coin")
click(580, 360)
assert(held() == "coin", "not a product of the bowl")

give("onion_cut")
click(580, 360)
assert(held() == nil, "the cut onion went into the bowl")
assert(bar() == 250, tostring(bar()))

click(320, 490)
assert(held() == "tomato")
click(580, 360)
assert(held() == nil)
assert(bar() == 200, tostring(bar()))
local played = sounds()
assert(played[#played] == "audio/sfx/minigames/cook/dish_end_right.ogg", tostring(played[#played]))

-- The salad layer (bright green over the bowl) fades in from nothing, below
-- the sparkles that rise off the rim.
local function green() return select(2, pixel(580, 375)) end
tick(10)
local half = green()
assert(half < 200, "half faded: " .. half)
tick(9)
assert(green() < 220, "not yet whole: " .. green())
tick(1)
local r, g, b = pixel(580, 375)
assert(r == 60 and g == 220 and b == 60, "the salad: " .. r .. "," .. g .. "," .. b)

key("t")
local plates = save_document():match("<plates>.-</plates>") or ""
local bowl = plates:match("<king_cook_plate_mixer [^>]*>") or plates
assert(bowl:find('cs="2"', 1, true) and bowl:find('cdi="salad_plate"', 1, true), bowl)
assert(reports() == 0, reports() .. " report line(s)")
