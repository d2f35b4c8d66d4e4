-- A stone-tile field saved with every tile home but tile 5 turned three
-- times: the first click selects tile 5 and puts the marker on it, the
-- second turns it upright and wins in that click. A done click in the
-- fade-out changes nothing; the tower follows with the key in the hand.

local demo = require("lib.demo")
local tag = require("lib.tag")

demo.start_new_game()
go("tower_tag")
key("t")
tick(2)
local document = tag.rewrite(save_document(), function(a) tag.home(a, {[5] = 3}) end)
set_save_document(document)
key("x")
demo.wait_active("tower_tag")
assert(tag.tile(5).s == 3 and minigame().solved == 0)

tag.click_tile(5)
local t = tag.tile(5)
assert(t.sel == 1, "selected")
assert(minigame().marker_x == 400 and minigame().marker_y == 300, "the marker on tile 5")
assert(flag("tag_won") == "null")

local heard = #sounds()
tag.click_tile(5)
assert(sounds()[heard + 1] == "audio/sfx/minigames/tags/stone_rotate.ogg", "the turn sound")
assert(held() == "tower_key", "the key in the hand")
assert(flag("tag_won") == "true")
assert(select(2, scene()) == 2, "fading out")

game_lua("onDoneClick()")
tag.click_tile(5)
assert(tag.tile(5).s == 0, "no turn after the end")
local won = 0
for _, e in ipairs(events()) do
  if e == "flag tag_won=true" then won = won + 1 end
end
assert(won == 1, "the game ends once")
assert(held() == "tower_key")
demo.wait_active("tower")
assert(held() == "tower_key")
