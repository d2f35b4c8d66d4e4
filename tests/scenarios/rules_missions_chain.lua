-- A mission's result sets a variable that completes the next mission inside
-- the same event; afterwards the item in hand is announced again, once for
-- each dispatch in which a mission completed, so that missions opened just
-- now see what the player holds.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local events_since = demo.events_since

start_new_game()
assert(page(0) == 2 and page(1) == 1 and page(2) == 1 and page(3) == 0)
click(500, 420) -- the coin, in hand from now on
assert(held() == "coin")
tick(1)
click(400, 100) -- closes the guide hint on the first coin
tick(1)
assert(mission("the_house_is_lit") == false)

local seen = #events()
click(115, 240) -- the light switch: the last task of the first mission
assert(mission("light_the_house") == true)
assert(mission("the_house_is_lit") == true, "completed inside the same event")
assert(events_since(seen) ==
         "flag lamp_lit=true, flag house_lit=true, item_create coin, item_get coin, item_create coin, item_get coin",
       events_since(seen))
assert(page(3) == 1 and page(4) == 1, "both missions' pages unlocked")
assert(flag("house_lit") == "true")

-- The third mission now waits for the way up, then the ring.
assert(mission("the_attic_treasure") == false)
assert(task("find_the_way_up") == false)
