-- The kitchen's bowl makes a salad of the cut onion and a tomato. Each
-- product is rated and told to the cooking scene: half a salad, then a
-- whole one, which finishes the dish (stage 2 in the saved state) and fades
-- its salad layer in over 20 ticks. An item that is no product stays in
-- the hand.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
demo.start_new_game()
nursery.go_to_nursery()
nursery.go_to_kitchen()

local function last_call()
  local all = calls()
  return all[#all]
end

give("coin")
click(580, 360)
assert(held() == "coin", "not a product of the bowl")

give("onion_cut")
click(580, 360)
assert(held() == nil, "the cut onion went into the bowl")
assert(last_call() == "cook progress 50", tostring(last_call()))

click(320, 490)
assert(held() == "tomato")
click(580, 360)
assert(held() == nil)
assert(last_call() == "cook progress 100", tostring(last_call()))

-- The salad layer (bright green over the bowl) fades in from nothing.
local function green() return select(2, pixel(580, 360)) end
tick(10)
local half = green()
assert(half < 200, "half faded: " .. half)
tick(9)
assert(green() < 220, "not yet whole: " .. green())
tick(1)
local r, g, b = pixel(580, 360)
assert(r == 60 and g == 220 and b == 60, "the salad: " .. r .. "," .. g .. "," .. b)

key("t")
local plates = save_document():match("<plates>.-</plates>") or ""
local bowl = plates:match("<bowl [^>]*>") or plates
assert(bowl:find('cs="2"', 1, true) and bowl:find('cdi="salad_plate"', 1, true), bowl)
assert(reports() == 0, reports() .. " report line(s)")
