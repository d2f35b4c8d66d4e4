-- A basket with a fish in every cell (a save rewritten so) refuses casts
-- with the full-basket hint; the clear button empties it and forgets the
-- key fish.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
fishing.enter()
fishing.wait_home()
key("t")
tick(1)
local doc = save_document()
local cells, want = {}, {}
for i = 0, #panel().fishing.items - 1 do
  local name = i == 4 and "fishing_crucian_key" or "fishing_carp"
  cells[#cells + 1] = string.format('<cell%d item_id="%s"/>', i, name)
  want[#want + 1] = name
end
local full, n = doc:gsub('<fishing_inventory first_cell="0">.-</fishing_inventory>',
  '<fishing_inventory first_cell="0">' .. table.concat(cells) .. '</fishing_inventory>')
assert(n == 1, doc)
local keyed, k = full:gsub('(<fishing [^>]*)key="0"', '%1key="1"')
assert(k == 1, full)
set_save_document(keyed)
key("x")
demo.wait_active("pier_fishing")
assert(minigame().key == 1)
assert(fishing.basket() == table.concat(want, ","), fishing.basket())

click(300, 350)
tick(2)
assert(window("hint") == "shown" and text("hint_text"):find("basket is full", 1, true), "the full-basket hint")
local m = minigame()
assert(m.substate == 0 and m.rod_y == 300, "no cast")
demo.close_hints()

fishing.clear()
assert(fishing.basket() == "", fishing.basket())
assert(minigame().key == 0)
click(300, 350)
tick(1)
assert(minigame().substate == 8, "a cast once there is room")
