-- The mirror board played as a player comes back to it, each time with the
-- ring in the hand: the ring is put away at the board and kept after the
-- game, lost or won. Lost with a mirror in the hand, no mirror leaves the
-- game: none in the hand, the main inventory or the save. Won, the board is
-- then a quiet room with the sun over it and a door back to the tower.
local demo = require("lib.demo")
local mirrors = require("lib.mirrors")
local keep = require("lib.keep")
local pn = require("lib.panel")

-- From the tower, the ring taken from its cell, up the stair (the tower's
-- stair at 540, 120; 160 by 300).
local function to_board()
  if held() then keep.click_cell(nil) end
  keep.click_cell("ring")
  assert(held() == "ring")
  click(620, 300)
  demo.wait_active("tower_mirrors")
  assert(held() == nil, "the board takes the ring from the hand")
end

local function no_mirror_left(why)
  assert(not (held() or ""):find("^mirrors_mirror"), why .. ": a mirror in the hand")
  for _, name in ipairs(panel().main.items) do
    assert(not (name or ""):find("^mirrors_mirror"), why .. ": " .. tostring(name) .. " in the main inventory")
  end
  for _, name in ipairs(panel().mirrors.items) do assert(not name, why .. ": " .. tostring(name) .. " in the panel") end
  local quick = save_document():match('<save save_name="Quick save".-</save>')
  assert(not quick:find("mirrors_mirror", 1, true), why .. ": a mirror in the save")
end

demo.start_new_game()
go("tower")
give("ring")
to_board()
mirrors.lay(0, 1)
pn.click_cell(1)
assert(held() == "mirrors_mirror2")
game_lua("onDoneClick()")
tick_until(function() return flag("mirrors_lost") == "true" end, 100, "the loss")
demo.wait_active("tower")
keep.in_inventory("ring", "lost")
no_mirror_left("lost")

to_board()
for i = 1, 3 do mirrors.lay(i - 1, i) end
game_lua("onDoneClick()")
tick_until(function() return held() == "sun_disc" end, 300, "the sun disc")
demo.wait_active("tower")
keep.in_inventory("ring", "won")
no_mirror_left("won")

-- Up the stair again: no board, the sun, and the door on the left.
click(620, 300)
demo.wait_active("tower_mirrors")
assert(minigame() == nil and select(3, scene()) == 1, "the board is set again")
tick(1)
local r, g, b = pixel(400, 200)
assert(r == 0xff and g == 0xe8 and b == 0x90, string.format("no sun: %d,%d,%d", r, g, b))
r, g, b = pixel(8, 370)
assert(r == 0x8a and g == 0x7a and b == 0x50, string.format("no door: %d,%d,%d", r, g, b))
r, g, b = pixel(30, 370)
assert(r == 0xe8 and g == 0xdc and b == 0xb8, string.format("no arrow in the door: %d,%d,%d", r, g, b))
assert(panel().passages.left, "the panel's arrow left")
click(40, 330)
demo.wait_active("tower")
-- And back up, out through the panel's arrow.
click(620, 300)
demo.wait_active("tower_mirrors")
pn.click("passage_left")
demo.wait_active("tower")
