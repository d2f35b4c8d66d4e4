-- The mirror board's and the fishing game's own strips take only their
-- game's pieces, as the board's markers do: the ring held over their cells,
-- empty or holding a piece, stays in the hand and the strip stays as it
-- was, while a mirror or a fish still goes in. Both games empty their strip
-- when they are left, so the ring would be lost there. The board's clear
-- button, which makes the mirrors again, puts the ring away.
local demo = require("lib.demo")
local mirrors = require("lib.mirrors")
local fishing = require("lib.fishing")
local pn = require("lib.panel")

demo.start_new_game()
demo.close_hints()

go("pier_fishing")
give("ring")
pn.click_cell(0)
assert(held() == "ring", "the basket took the ring: " .. tostring(held()))
assert(fishing.basket() == "", fishing.basket())
give("fishing_carp")
pn.click_cell(0)
assert(held() == nil and fishing.basket() == "fishing_carp", "a fish goes into the basket: " .. fishing.basket())

go("tower_mirrors")
pn.click_cell(0)
assert(held() == "mirrors_mirror1", tostring(held()))
pn.click_cell(0)
assert(held() == nil, "a mirror goes back into its strip")
pn.click_cell(0)
mirrors.click_marker(1) -- the first cell is empty now
local strip = mirrors.cells()
give("ring")
for _, j in ipairs({0, 1}) do -- empty, then a mirror to swap
  pn.click_cell(j)
  assert(held() == "ring", "the mirrors strip's cell " .. j .. " took the ring: " .. tostring(held()))
  assert(mirrors.cells() == strip, mirrors.cells())
end
mirrors.click_marker(2)
assert(held() == "ring" and mirrors.marker(2).v == 0, "nor does a marker take it")
-- The clear button makes the nine mirrors again and puts the ring away.
game_lua("onClearClick()")
assert(held() == nil and mirrors.cells() == mirrors.full(), tostring(held()) .. ": " .. mirrors.cells())
assert(pn.items() == "ring" and registry("ring") == 2, "the ring put away: " .. pn.items())
