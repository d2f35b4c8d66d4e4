-- The kitchen game won: with the cook book in the main inventory the
-- panel's book button shows. A salad of the cut onion and a tomato rates
-- 100 (the bar at 200) and done serves it onto its plate, emptying the
-- mixer; a stew stirred with the spoon and a tart follow. Three perfect
-- dishes: the bar at 0, the kitchen waits, and on the 30th tick the feast
-- token is in the hand, "cook_won" is set and the player is back in the
-- nursery. The kitchen is then a plain room with the three dishes on its
-- counter and a door back.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
kitchen.enter(true)
assert(window("cook_book_button") == "shown", tostring(window("cook_book_button")))
assert(registry("king_cook_book_icon") == 1, tostring(registry("king_cook_book_icon")))
assert(panel().kind == 6)

-- The onion cut on the board, the cut piece taken from it.
kitchen.click("onion")
kitchen.click("board")
kitchen.click("knife")
kitchen.click("board")
assert(held() == "knife", tostring(held()))
click(400, 250)  -- the knife back where it lay
assert(held() == nil, tostring(held()))
tick(10)
kitchen.click("board_cut")
assert(held() == "onion_cut", tostring(held()))
kitchen.click("mixer")
kitchen.put("tomato")
assert(kitchen.bar() == 200, tostring(kitchen.bar()))
assert(kitchen.stage("king_cook_plate_mixer") == 2)

kitchen.done()
local m = minigame()
assert(m.readysum == 100 and m.dishes[1].id == "salad_plate" and m.dishes[1].val == 100, m.readysum)
assert(kitchen.stage("salad_plate") == 2, "the plate shows the salad")
assert(kitchen.stage("king_cook_plate_mixer") == 0, "the mixer is empty")
local played = sounds()
assert(played[#played] == "audio/sfx/minigames/cook/done.ogg", tostring(played[#played]))
-- The salad fades in on its plate.
tick(20)
local r, g, b = pixel(540, 215)
assert(r == 60 and g == 220 and b == 60, "the salad on its plate: " .. r .. "," .. g .. "," .. b)

kitchen.put("carrot")
kitchen.put("potato")
kitchen.put("water")
assert(kitchen.bar() == 100, tostring(kitchen.bar()))
assert(kitchen.stage("king_cook_plate_mixer") == 0, "a stew needs stirring")
kitchen.stir()
assert(kitchen.stage("king_cook_plate_mixer") == 2)
kitchen.done()
kitchen.put("cherry")
kitchen.put("flour")
kitchen.done()
m = minigame()
assert(m.readysum == 300 and m.curval == 0, m.readysum .. " " .. m.curval)
assert(m.paused == 1 and m.countdown == 0, "the kitchen waits")
assert(panel().locked, "the panel is locked while it waits")

tick(29)
assert(minigame().finished == 0 and flag("cook_won") == "null", "not yet")
tick(1)
assert(held() == "feast_token", tostring(held()))
assert(flag("cook_won") == "true" and flag("cook_lost") == "null")
demo.wait_active("nursery")
assert(held() == "feast_token", "the token stays in the hand")
kitchen.played("won")
assert(held() == "feast_token" and flag("cook_lost") == "null")
assert(reports() == 0, reports() .. " report line(s)")
