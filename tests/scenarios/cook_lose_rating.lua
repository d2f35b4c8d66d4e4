-- The kitchen game lost on its ratings. A stew of carrot and water without
-- the potato, stirred, fails (stage 1) and is served at 0. A salad stirred
-- half made fails too and is served at 0; a right salad served after it
-- replaces its rating. Taken off its plate and cleared in the hand, the
-- salad rates 0 again but still counts as served; served once more it
-- rates 100. With the tart that is 200 of 300 (the bar at 100), and after
-- the wait the burnt spoon is in the hand and "cook_lost" is set.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
kitchen.enter(false)
assert(window("cook_book_button") == nil, "no book, no button")
assert(registry("king_cook_book_icon") == nil)

kitchen.put("carrot")
kitchen.put("water")
kitchen.stir()
assert(kitchen.stage("king_cook_plate_mixer") == 1, "the stew failed")
local played = sounds()
assert(played[#played - 1] == "audio/sfx/minigames/cook/dish_end_noright.ogg", tostring(played[#played - 1]))
kitchen.done()
local m = minigame()
assert(m.readysum == 0 and #m.dishes == 1 and m.dishes[1].id == "stew_plate" and m.dishes[1].val == 0)
assert(kitchen.stage("stew_plate") == 1, "the failed stew on its plate")

kitchen.give_in("onion_cut")
kitchen.stir()
kitchen.done()
m = minigame()
assert(#m.dishes == 2 and m.dishes[1].id == "salad_plate" and m.dishes[1].val == 0, "the failed salad")
kitchen.give_in("onion_cut")
kitchen.put("tomato")
kitchen.done()
m = minigame()
assert(#m.dishes == 2 and m.dishes[1].val == 100 and m.readysum == 100, "served again: " .. m.readysum)

kitchen.click("salad_plate")
assert(held() == "salad_plate", tostring(held()))
kitchen.clear()
m = minigame()
assert(m.readysum == 0 and #m.dishes == 2 and m.dishes[1].val == 0, "cleared: " .. m.readysum)
assert(kitchen.bar() == 300, tostring(kitchen.bar()))
played = sounds()
assert(played[#played] == "audio/sfx/minigames/cook/clear.ogg", tostring(played[#played]))
kitchen.click("salad_plate")
assert(held() == nil, "the plate back in its place")
kitchen.give_in("onion_cut")
kitchen.give_in("tomato")
kitchen.done()

kitchen.put("cherry")
kitchen.put("flour")
kitchen.done()
m = minigame()
assert(m.readysum == 200 and m.curval == 100 and #m.dishes == 3, m.readysum .. " " .. m.curval)
tick(29)
assert(flag("cook_lost") == "null", "not yet")
tick(1)
assert(held() == "burnt_spoon", tostring(held()))
assert(flag("cook_lost") == "true" and flag("cook_won") == "null")
demo.wait_active("nursery")
assert(reports() == 0, reports() .. " report line(s)")
