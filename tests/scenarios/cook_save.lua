-- The kitchen game survives a save: past the hurry hint at tick 600, with
-- the salad served and a carrot in the mixer (a third of a stew: the bar at
-- 300 - 133 = 167), a quick save writes "cook" with readysum 100, the next
-- hint time 1800, the bar, the served salad and the mixer's carrot. A quick
-- load brings them back (the bar, the carrot's layer) without the tutorial.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
kitchen.enter(false)

kitchen.give_in("onion_cut")
kitchen.put("tomato")
kitchen.done()
kitchen.run_until(601)
kitchen.put("carrot")
assert(kitchen.bar() == 167, tostring(kitchen.bar()))

key("t")
local doc = save_document()
local cook = doc:match("<cook [^>]*>") or "no cook"
assert(cook:find('readysum="100"', 1, true) and cook:find('next="1800"', 1, true), cook)
assert(cook:find('curval="167.000000"', 1, true) and cook:find('time="601"', 1, true), cook)
assert(doc:find('<dish id="salad_plate" val="100"/>', 1, true), "the served salad")
local mixer = doc:match("<king_cook_plate_mixer [^>]*>.-</king_cook_plate_mixer>") or "no mixer"
assert(mixer:find('<ap id="carrot" name="carrot"', 1, true), mixer)

-- Changed after the save, then loaded back.
kitchen.put("potato")
assert(kitchen.bar() == 134, tostring(kitchen.bar()))
key("x")
demo.wait_active("kitchen")
local m = minigame()
-- The clock runs on from the saved time once the fade-in ends.
assert(m.curval == 167 and m.readysum == 100 and m.time - 601 <= 1 and m.time >= 601 and m.next == 1800,
  m.curval .. " " .. m.readysum .. " " .. m.time .. " " .. m.next)
assert(m.dishes[1].id == "salad_plate" and m.dishes[1].val == 100)
assert(kitchen.stage("salad_plate") == 2, "the salad is on its plate")
local aps = m.plates.king_cook_plate_mixer.aps
assert(#aps == 1 and aps[1].name == "carrot", "the carrot alone in the mixer")
-- The carrot's layer (orange) over the bowl.
local r, g, b = pixel(550, 345)
assert(r == 240 and g == 128 and b == 32, "the carrot layer: " .. r .. "," .. g .. "," .. b)
tick(60)
assert(top_modal() ~= "cook_tutorial", "no tutorial after a load")
assert(minigame().paused == 0)
assert(reports() == 0, reports() .. " report line(s)")
