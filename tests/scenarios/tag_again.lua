-- The stone tiles with the ring in the hand: the ring is put away at the
-- door; the game, found all home but one tile turned (as tag_win sets it),
-- is won with the ring brought back into the hand by the load, and the
-- key takes the hand while the ring is kept. The tiles are then a quiet
-- room, solved, with a door back to the tower.
local demo = require("lib.demo")
local tag = require("lib.tag")
local keep = require("lib.keep")
local pn = require("lib.panel")

demo.start_new_game()
go("tower")
give("ring")
click(190, 300) -- the door to the tiles (120, 150; 140 by 270)
demo.wait_active("tower_tag")
assert(held() == nil, "the tiles take the ring from the hand")
key("t")
tick(2)
local document = tag.rewrite(save_document(), function(a) tag.home(a, {[5] = 3}) end)
-- The save made with the ring in the hand, as the hand comes back last.
document = document:gsub("<cell0 item_id=\"ring\"/>", "<cell0/>")
document = document:gsub("<pointer_item/>", '<pointer_item item_id="ring"/>')
set_save_document(document)
key("x")
demo.wait_active("tower_tag")
assert(held() == "ring", "the ring is held: " .. tostring(held()))
tag.click_tile(5)
tag.click_tile(5)
assert(held() == "tower_key" and flag("tag_won") == "true", tostring(held()))
demo.wait_active("tower")
keep.in_inventory("ring", "won")

-- The tiles again: no game, the tiles solved, and the door on the left.
click(190, 300)
demo.wait_active("tower_tag")
assert(minigame() == nil and select(3, scene()) == 1, "the tiles are shuffled again")
tick(1)
local function colour(x, y) return string.format("%d,%d,%d", pixel(x, y)) end
assert(colour(300, 175) == colour(300, 275), "no arrow upright on the tiles") -- the two arrows' stems
assert(colour(300, 175) == "240,232,208", colour(300, 175))
assert(colour(500, 400) == "36,32,42", "the last cell is not empty: " .. colour(500, 400))
assert(colour(8, 370) == "138,122,80" and colour(30, 370) == "232,220,184", "no door: " .. colour(8, 370))
assert(panel().passages.left, "the panel's arrow left")
click(40, 330)
demo.wait_active("tower")
click(190, 300)
demo.wait_active("tower_tag")
pn.click("passage_left")
demo.wait_active("tower")
