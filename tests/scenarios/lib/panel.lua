-- Screen points of the demo's game panel (content/scripts/game.lua and
-- game_screen.xml): the five shown cells, the arrows, the passage arrows,
-- the menu and the book button.
local panel = {}

-- The middle of the shown cell at position j (0 to 4).
function panel.cell(j)
  return 256 + 70 * j + 32, 550
end

function panel.click_cell(j)
  click(panel.cell(j))
end

panel.at = {
  arrow_left = {243, 550},
  arrow_right = {613, 550},
  passage_left = {726, 534},
  passage_right = {774, 534},
  passage_top = {750, 514},
  passage_bottom = {750, 554},
  menu = {751, 582},
  book = {664, 550},
}

function panel.click(name)
  local p = panel.at[name]
  click(p[1], p[2])
end

-- A strip's items as one string: "apple,-,key" (- for an empty cell),
-- up to the last one kept, so that it reads the same whatever the strip's
-- length; "" when it is empty.
function panel.row(items)
  local out, last = {}, 0
  for i, name in ipairs(items) do
    out[i] = name or "-"
    if name then last = i end
  end
  return table.concat(out, ",", 1, last)
end

-- The main inventory's items so.
function panel.items()
  return panel.row(_G.panel().main.items)
end

-- Turns the main inventory with its arrows until its cell i (from 0) shows;
-- the shown position of that cell (0 to 4).
function panel.show(i)
  for _ = 1, #_G.panel().main.items do
    local first = _G.panel().main.first
    if i >= first and i <= first + 4 then return i - first end
    panel.click(i < first and "arrow_left" or "arrow_right")
    tick(1)
  end
  error("cell " .. i .. " does not come into sight", 2)
end

-- The first cell of the main inventory that holds `name` (nil: the first
-- empty one), from 0; nil when there is none.
function panel.find(name)
  for i, cell in ipairs(_G.panel().main.items) do
    if (cell or nil) == name then return i - 1 end
  end
end

-- The held item kept in the first empty cell of the main inventory, turned
-- into sight; its shown position is returned.
function panel.store()
  local what = held()
  local i = panel.find(nil)
  assert(what and i, "nothing held, or no empty cell for " .. tostring(what))
  local j = panel.show(i)
  panel.click_cell(j)
  assert(held() == nil and _G.panel().main.items[i + 1] == what, what .. " kept in cell " .. i)
  return j
end

-- The named item taken into the hand from the main inventory.
function panel.take(name)
  local i = panel.find(name)
  assert(i, name .. " is not in the inventory: " .. panel.items())
  panel.click_cell(panel.show(i))
  assert(held() == name, "took " .. tostring(held()) .. ", not " .. name)
end

return panel
