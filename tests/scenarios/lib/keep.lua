-- Checks that an item the player carried into a mini-game is kept once
-- the game is over: out of the hand, in one cell of the main inventory,
-- its record saying so, and so in a save made now.
local pn = require("lib.panel")
local keep = {}

function keep.in_inventory(name, why)
  local cells = 0
  for _, n in ipairs(panel().main.items) do
    if n == name then cells = cells + 1 end
  end
  assert(cells == 1, why .. ": " .. name .. " in " .. cells .. " cell(s)")
  assert(held() ~= name, why .. ": " .. name .. " still in the hand")
  assert(registry(name) == 2, why .. ": the registry says " .. tostring(registry(name)))
  key("t")
  tick(2)
  local quick = save_document():match('<save save_name="Quick save".-</save>')
  assert(quick and quick:find("<" .. name .. ' a0="2"/>', 1, true)
         and quick:find('item_id="' .. name .. '"', 1, true), why .. ": " .. name .. " not kept in a save")
end

-- How many of that item the player has, in the hand and the main inventory.
function keep.count(name)
  local n = held() == name and 1 or 0
  for _, cell in ipairs(panel().main.items) do
    if cell == name then n = n + 1 end
  end
  return n
end

-- Clicks the cell of the main inventory that holds the item, or the first
-- empty one for nil, turned into sight: the hand's item goes there, or that
-- item to the hand.
function keep.click_cell(name)
  local i = pn.find(name)
  if not i then error("no cell holds " .. tostring(name), 2) end
  pn.click_cell(pn.show(i))
end

return keep
