-- The tower's mirror board (content/layouts/home/tower_mirrors.xml): five
-- markers, the first three required; nine mirrors in the panel's mirrors
-- inventory.
local pn = require("lib.panel")
local mirrors = {}

function mirrors.marker(i)
  return minigame().items[i]
end

function mirrors.click_marker(i)
  local m = mirrors.marker(i)
  click(m.cx, m.cy)
end

-- The mirror of shown cell j laid on marker i.
function mirrors.lay(j, i)
  pn.click_cell(j)
  mirrors.click_marker(i)
end

-- The mirrors inventory as one string: "mirrors_mirror1,-,..." (- empty).
function mirrors.cells()
  local out = {}
  for i, name in ipairs(panel().mirrors.items) do out[i] = name or "-" end
  return table.concat(out, ",")
end

function mirrors.full()
  local out = {}
  for n = 1, 9 do out[n] = "mirrors_mirror" .. n end
  return table.concat(out, ",")
end

return mirrors
