-- The first chapter played through: the coin and the light complete the
-- first two missions, the way up and the ring the third, whose results open
-- its page, set the chapter's variable, show its hint and save the game.

local demo = require("lib.demo")

local function wait_active(id) demo.wait_active(id, 400) end

local close_hints = demo.close_hints

demo.enter_name()
tick(10)
click(110, 282)
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")

click(500, 420) -- the coin
close_hints()
click(115, 240) -- the light
assert(mission("light_the_house") and mission("the_house_is_lit"))
close_hints()
wait_active("living_room")
click(400, 200) -- the coin back in its place
assert(held() == nil)

click(670, 300) -- to the hall
wait_active("hall")
assert(task("find_the_way_up") == false)
click(600, 300) -- up the stairs
wait_active("attic")
assert(task("find_the_way_up") == true, "entering the attic is the way up")
assert(mission("the_attic_treasure") == false)

click(568, 440) -- the ring's band
assert(held() == "ring")
assert(mission("the_attic_treasure") == true)
assert(page(5) == 1)
assert(flag("chapter_one_done") == "true")
tick(1)
local doc = save_document()
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<chapter_one_done value="true"/>', 1, true), "saved with the chapter done")
assert(window("popup") == "shown")
assert(window("hint") == "shown", "the chapter's hint")
