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
  return require("lib.panel").row(panel().mirrors.items)
end

function mirrors.full()
  local out = {}
  for n = 1, 9 do out[n] = "mirrors_mirror" .. n end
  return table.concat(out, ",")
end

-- Every saved mirrors board of the document with its markers' attributes
-- (tables of strings, in order) put by `change(markers)`.
function mirrors.rewrite(document, change)
  return (document:gsub("<mirrors .-</mirrors>", function(board)
    local markers, orders = {}, {}
    for text in board:gmatch("<item ([^>]-)/>") do
      local a, order = {}, {}
      for name, value in text:gmatch('([%w_]+)="([^"]*)"') do
        a[name] = value
        order[#order + 1] = name
      end
      markers[#markers + 1], orders[#orders + 1] = a, order
    end
    change(markers)
    local i = 0
    return (board:gsub("<item ([^>]-)/>", function()
      i = i + 1
      local out = {}
      for _, name in ipairs(orders[i]) do out[#out + 1] = name .. '="' .. markers[i][name] .. '"' end
      return "<item " .. table.concat(out, " ") .. "/>"
    end))
  end))
end

-- How many times each mirror is in the game: laid, in the mirrors
-- inventory or in the hand.
function mirrors.count()
  local seen = {}
  local function add(name) if name then seen[name] = (seen[name] or 0) + 1 end end
  for _, m in ipairs(minigame().items) do
    if m.v == 1 then add(m.id) end
  end
  for _, name in ipairs(panel().mirrors.items) do add(name or nil) end
  add(held())
  return seen
end

-- A mirror from the first shown cell that holds one laid on marker i.
function mirrors.lay_any(i)
  local inventory = panel().mirrors
  for j = 0, 4 do
    if inventory.items[inventory.first + j + 1] then return mirrors.lay(j, i) end
  end
  error("no mirror in sight")
end

return mirrors
