-- Combinations in the inventory cells, on rules of this tree's own: a
-- tablet rule with a second item puts one result in the hand and the other
-- in the cell, each in exactly one place with the registry agreeing; a
-- potion or match rule whose product no item makes uses nothing up (the
-- flask keeps its water, the match burns on), while one that makes its
-- product empties the flask.

local demo = require("lib.demo")
local pn = require("lib.panel")

local function store(name, j)
  give(name)
  pn.click_cell(j)
  assert(held() == nil and panel().main.items[j + 1] == name, pn.items())
end

demo.start_new_game()

-- The held item decides which result goes to the hand: the rule's "value"
-- when it is the rule's item1.
for _, c in ipairs({
  {held = "shears", stored = "rope", at = 3, hand = "shears", cell = "rope_cut"},
  {held = "rope", stored = "shears", at = 4, hand = "rope_cut", cell = "shears"},
}) do
  local what = c.held .. " on " .. c.stored
  store(c.stored, c.at)
  give(c.held)
  pn.click_cell(c.at)
  assert(held() == c.hand, what .. ": the hand holds " .. tostring(held()))
  assert(panel().main.items[c.at + 1] == c.cell, what .. ": the cell holds " .. pn.items())
  assert(registry(c.hand) == 1 and registry(c.cell) == 2, what .. ": the registry agrees")
end

store("rope", 1)
store("key", 2)
store("flask", 0)
give("coin")
pn.click_cell(0)
assert(registry("flask", 1) == 1, "the coin's spell filled the flask with water")

give("apple")
pn.click_cell(0) -- no product: the click swaps them as any pair
assert(held() == "flask" and panel().main.items[1] == "apple", pn.items())
assert(item("flask") == "flask_water", "the flask keeps its water: " .. tostring(item("flask")))
assert(registry("flask", 1) == 1)

pn.click_cell(1) -- the water on the rope does make its product
assert(panel().main.items[2] == "rope_cut", pn.items())
assert(item("flask") == "flask_empty" and registry("flask", 1) == 0)

give("living_room_matches_box")
click(400, 200, "right")
assert(item("living_room_matches_box") == "match", "lit")
pn.click_cell(2)
assert(item("living_room_matches_box") == "match", "the match burns on")
