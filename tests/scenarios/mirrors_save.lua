-- The mirror board in a saved game: two mirrors laid are saved with their
-- ids, come back on loading with seven mirrors left in the inventory, and a
-- third on the last required marker then wins.

local demo = require("lib.demo")
local mirrors = require("lib.mirrors")

demo.start_new_game()
go("tower_mirrors")
mirrors.lay(0, 1)
mirrors.lay(1, 2)
key("t")
tick(2)
local doc = save_document()
assert(doc:find('<item x="250.000000" y="200.000000" v="1" m="0" r="1" id="mirrors_mirror1"/>', 1, true), doc)
assert(doc:find('id="mirrors_mirror2"', 1, true))

key("x")
tick(2)
demo.wait_active("tower_mirrors")
assert(mirrors.marker(1).v == 1 and mirrors.marker(1).id == "mirrors_mirror1")
assert(mirrors.marker(2).v == 1 and mirrors.marker(3).v == 0, mirrors.marker(2).v .. " " .. mirrors.marker(3).v)
local left = 0
for _, name in ipairs(panel().mirrors.items) do
  if name then left = left + 1 end
end
assert(left == 7, "seven mirrors left: " .. mirrors.cells())

mirrors.lay(2, 3) -- cells 0 and 1 gave the two laid
game_lua("onDoneClick()")
assert(minigame().state == 1)
tick_until(function() return flag("mirrors_won") == "true" end, 200, "the win")
demo.wait_active("tower")
assert(held() == "sun_disc")
