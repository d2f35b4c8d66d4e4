-- What the player carries never stays in the plants game. The plan brought
-- in the main inventory is used up on entering, its record with it. A ring
-- stored in a plants cell comes back to the main inventory at the win,
-- where the player sees it again in the herb garden; the three plants
-- gathered end with the game. An autosave after the end keeps nothing of
-- the finished game.

local plants = require("lib.plants")
local demo = require("lib.demo")
local pn = require("lib.panel")
plants.start_with_plan()
plants.enter()
assert(registry("herb_plan") == 4, "the plan's record ended: " .. tostring(registry("herb_plan")))
plants.close_tutorial()

give("ring")
pn.click_cell(3)
assert(panel().plants.items[4] == "ring" and held() == nil, "the ring in a plants cell")
plants.show_plan()
for j, name in ipairs({"mint", "sage", "fern"}) do plants.store(name, j - 1) end
game_lua("onDoneClick()")
tick_until(function() return held() == "herb_bundle" end, 60, "the herb bundle")

autosave()
tick(1)
local doc = save_document()
assert(not doc:find("<plants ", 1, true), "nothing of the finished game saved")
local main = doc:match("<main_inventory.-</main_inventory>") or "no main inventory"
assert(main:find('<cell0 item_id="ring"/>', 1, true), main)
local cells = doc:match("<plants_inventory.-</plants_inventory>") or "no plants inventory"
assert(not cells:find("item_id", 1, true), "the plants cells are empty: " .. cells)
assert(not doc:find('item_id="herb_plan"', 1, true), "the plan is nowhere")
assert(registry("ring") == 2, "the ring's record says the inventory: " .. tostring(registry("ring")))
for _, name in ipairs({"mint", "sage", "fern"}) do
  assert(registry(name) == 4, name .. "'s record ended: " .. tostring(registry(name)))
end

demo.wait_active("herb_garden")
assert(pn.items() == "ring", pn.items())
-- The ring's gold in the first cell.
local r, g, b = pixel(262, 538)
assert(r == 224 and g == 192 and b == 80, "the ring in the cell: " .. r .. "," .. g .. "," .. b)
assert(reports() == 0, reports() .. " report line(s)")
