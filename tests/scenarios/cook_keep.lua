-- The kitchen's end keeps what is the player's and ends what is the
-- kitchen's. The cook book stored in a cook cell comes back to the main
-- inventory, where the nursery shows it; the carrot in the hand, the potato
-- and a cut onion in cook cells at the time-out are used up, records ended,
-- so the registry, a save and the screen agree: the hand holds the burnt
-- spoon alone, and the cook cells are empty.

local demo = require("lib.demo")
local kitchen = require("lib.kitchen")
local pn = require("lib.panel")
kitchen.enter(false)

kitchen.run_until(3599)
give("kitchen_cook_book")
pn.click_cell(0)
kitchen.click("potato")
pn.click_cell(1)
give("onion_cut")  -- made in the kitchen, of a cook kind
pn.click_cell(2)
local cells = panel().cook.items
assert(cells[1] == "kitchen_cook_book" and cells[2] == "potato" and cells[3] == "onion_cut", "in cook cells")
kitchen.click("carrot")
assert(held() == "carrot" and registry("carrot") == 1, "the carrot in the hand")

tick(1)
assert(minigame().finished == 1 and held() == "burnt_spoon", tostring(held()))
for _, name in ipairs({"carrot", "potato", "onion_cut"}) do
  assert(registry(name) == 4, name .. "'s record ended: " .. tostring(registry(name)))
end
assert(registry("kitchen_cook_book") == 2, "the book's record says the inventory")
demo.wait_active("nursery")
key("t")
local doc = save_document()
assert(doc:find('<pointer_item item_id="burnt_spoon"/>', 1, true), doc:match("<pointer_item[^>]*>"))
local cook = doc:match("<cook_inventory.-</cook_inventory>") or "no cook inventory"
assert(not cook:find("item_id", 1, true), "the cook cells are empty: " .. cook)
local main = doc:match("<main_inventory.-</main_inventory>") or "no main inventory"
assert(main:find('<cell0 item_id="kitchen_cook_book"/>', 1, true), main)
assert(not doc:find('item_id="carrot"', 1, true) and not doc:find('item_id="potato"', 1, true))
assert(doc:find('<carrot a0="4"', 1, true) and doc:find('<potato a0="4"', 1, true), "the save's records ended")

assert(pn.items() == "kitchen_cook_book", pn.items())
-- The book's red cover in the first cell.
local r, g, b = pixel(281, 538)
assert(r == 122 and g == 42 and b == 42, "the book in the cell: " .. r .. "," .. g .. "," .. b)
assert(reports() == 0, reports() .. " report line(s)")
