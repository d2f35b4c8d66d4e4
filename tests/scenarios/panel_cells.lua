-- The panel's inventory cells: the item in hand is stored in an empty cell
-- ("item_inventory_push"), an empty hand takes the stored item back
-- ("item_get"), a held item and a stored one swap (push before get), and
-- the held item is used on the stored one by the combination rules: the
-- shears cut the rope, and a tablet rule whose result no item makes leaves
-- both items as they were.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
assert(panel().kind == 0 and panel().shown, "the living room shows the panel")
assert(pn.items() == "", pn.items())

-- Stored, then taken back: one event each.
give("apple")
local seen = #events()
pn.click_cell(0)
assert(held() == nil, "the apple left the hand")
assert(pn.items() == "apple", pn.items())
assert(demo.events_since(seen) == "item_inventory_push apple", demo.events_since(seen))
assert(registry("apple") == 2, "the registry has it in the inventory")
seen = #events()
pn.click_cell(0)
assert(held() == "apple" and pn.items() == "", pn.items())
-- One "item_get"; the apple completes the mission that shows the book
-- button, after which the game announces again what the player holds.
assert(demo.events_since(seen) ==
       "item_get apple, flag quest_book_control_unlocked=true, item_create apple, item_get apple",
       demo.events_since(seen))

-- The key on the apple: they swap, the key's push first.
pn.click_cell(0)
give("key")
seen = #events()
pn.click_cell(0)
assert(held() == "apple", tostring(held()))
assert(panel().main.items[1] == "key")
assert(demo.events_since(seen):find("^item_inventory_push key, item_get apple"), demo.events_since(seen))

-- The shears on the rope: the cell gets the cut rope, the shears stay in
-- hand.
pn.click_cell(2) -- the apple goes into the third cell
give("rope")
pn.click_cell(1)
give("shears")
seen = #events()
pn.click_cell(1)
assert(panel().main.items[2] == "rope_cut", pn.items())
assert(held() == "shears", tostring(held()))
assert(demo.events_since(seen):find("item_create rope_cut", 1, true), demo.events_since(seen))

-- A coin on the apple: the rule's tablet cannot be made, so the rule does
-- nothing and the two swap like any other pair.
give("coin")
seen = #events()
pn.click_cell(2)
assert(held() == "apple" and panel().main.items[3] == "coin", pn.items() .. " " .. tostring(held()))
assert(demo.events_since(seen):find("^item_inventory_push coin, item_get apple"), demo.events_since(seen))
