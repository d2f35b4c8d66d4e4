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

return panel
