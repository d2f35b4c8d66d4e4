-- Clear on the mirror board: with two mirrors laid and a third in the hand,
-- nine new mirrors fill the inventory, the hand is empty and no marker shows
-- a mirror. A laid mirror comes back to an empty hand with the take sound,
-- and stays where it is while the hand holds something. The wheel over the
-- board scrolls the inventory.

local demo = require("lib.demo")
local pn = require("lib.panel")
local mirrors = require("lib.mirrors")

demo.start_new_game()
go("tower_mirrors")
mirrors.lay(0, 1)
mirrors.lay(1, 2)
pn.click_cell(2)
assert(held() == "mirrors_mirror3")
game_lua("onClearClick()")
assert(held() == nil)
assert(mirrors.cells() == mirrors.full(), mirrors.cells())
for i = 1, 5 do assert(mirrors.marker(i).v == 0) end
assert(minigame().state == 0)

mirrors.lay(3, 5)
mirrors.lay(4, 4)
assert(mirrors.marker(5).id == "mirrors_mirror4" and mirrors.marker(4).id == "mirrors_mirror5")
assert(held() == nil)
local heard = #sounds()
mirrors.click_marker(5)
assert(held() == "mirrors_mirror4" and mirrors.marker(5).v == 0, "the mirror back in the hand")
assert(sounds()[heard + 1] == "audio/sfx/game/items/item_take.ogg")
mirrors.click_marker(4)
assert(held() == "mirrors_mirror4" and mirrors.marker(4).v == 1, "a full hand takes nothing back")

-- The wheel over the board scrolls the mirrors inventory.
move(400, 100)
local first = panel().mirrors.first
wheel(-1)
assert(panel().mirrors.first == first + 1, "scrolled on: " .. panel().mirrors.first)
wheel(1)
assert(panel().mirrors.first == first)
