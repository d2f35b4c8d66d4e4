-- The stone tiles played: done on a field not solved only sounds; a slide
-- glides 100 pixels in 20 ticks with the slide sound and takes no click
-- meanwhile; the shuffled field is solved by the shortest slides, then each
-- tile turned upright, and won.

local demo = require("lib.demo")
local tag = require("lib.tag")

demo.start_new_game()
go("tower_tag")
local path = tag.slides()
assert(path and #path > 0 and #path <= 8, "eight shuffling slides at most")

-- Done on a field not solved only sounds.
local heard = #sounds()
game_lua("onDoneClick()")
assert(sounds()[heard + 1] == "audio/sfx/minigames/tags/composition_done.ogg")
assert(not tag.over() and flag("tag_won") == "null")

-- The first slide, watched.
local n = path[1]
tag.click_tile(n)
assert(tag.tile(n).sel == 1)
local from = tag.tile(n)
heard = #sounds()
tag.click_tile(9)
assert(sounds()[heard + 1] == "audio/sfx/minigames/tags/stone_turn.ogg", "the slide sound")
local t = tag.tile(n)
assert(t.m == 1 and (t.lx ~= from.lx or t.ly ~= from.ly), "gliding to the empty cell")
tick(10)
t = tag.tile(n)
assert(t.m == 1 and (t.x ~= from.x or t.y ~= from.y) and (t.x ~= 300 + 100 * t.lx or t.y ~= 200 + 100 * t.ly))
-- A click on the gliding tile, where it is now, does nothing.
click(math.floor(t.x), math.floor(t.y))
assert(tag.tile(n).s == t.s and tag.tile(n).sel == 1 and tag.tile(n).m == 1)
tick(9)
assert(tag.tile(n).m == 1)
tick(1)
t = tag.tile(n)
assert(t.m == 0 and t.x == 300 + 100 * t.lx and t.y == 200 + 100 * t.ly, "home in its new cell after 20 ticks")

tag.solve()
assert(tag.over(), "solved")
assert(flag("tag_won") == "true" and held() == "tower_key")
demo.wait_active("tower")
