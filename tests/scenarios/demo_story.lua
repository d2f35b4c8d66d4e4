-- The demo played as a story from a first start to its end: a player made,
-- options set, a new game, then each chapter in order. Every chapter ends
-- with a quick save, a quit to the title and a load of that save, which must
-- bring back the same game (lib/story.lua).

local demo = require("lib.demo")
local story = require("lib.story")

local close_hints = demo.close_hints
local function wait_active(id) demo.wait_active(id, 400) end

-- A player and options: the sound effects off, kept for that player.
demo.enter_name("Story")
tick(10)
demo.click_on("btn_Options")
tick(10)
assert(top_modal() == "optionsmenu")
demo.click_on("mutesfx")
demo.click_on("btn_Ok")
tick(10)
assert(pref("soundoff", 0) == "1", "the option kept")

demo.start_new_game()
assert(scene() == "living_room")

-- Chapter 1, the dark house: the coin and the light, the key, the attic
-- and its ring.
click(500, 420) -- the coin
close_hints()
click(115, 240) -- the light
assert(mission("light_the_house") and mission("the_house_is_lit"))
close_hints()
wait_active("living_room")
click(400, 200) -- the coin back in its place
assert(held() == nil)
click(670, 300)
wait_active("hall")
click(600, 300)
wait_active("attic")
click(568, 440) -- the ring
assert(held() == "ring")
assert(flag("chapter_one_done") == "true")
story.chapter_end(1)
