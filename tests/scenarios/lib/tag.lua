-- The tower's stone tiles (content/layouts/home/tower_tag.xml): three by
-- three tiles of 100 pixels, the top-left one centred at (300, 200).
local tag = {}

-- The centre of a cell.
function tag.cell(c, r)
  return 300 + 100 * c, 200 + 100 * r
end

-- The tile showing symbol n, as minigame() tells it.
function tag.tile(n)
  for _, t in ipairs(minigame().items) do
    if t.sym_s == n then return t end
  end
end

function tag.click_tile(n)
  local t = tag.tile(n)
  click(tag.cell(t.lx, t.ly))
end

-- The save's "tags" element with every tile put by `change(attributes)`,
-- which gets the tile's attributes as a table of strings.
function tag.rewrite(document, change)
  return (document:gsub("<items ([^>]-)/>", function(text)
    local a, order = {}, {}
    for name, value in text:gmatch('([%w_]+)="([^"]*)"') do
      a[name] = value
      order[#order + 1] = name
    end
    change(a)
    local out = {}
    for _, name in ipairs(order) do out[#out + 1] = name .. '="' .. a[name] .. '"' end
    return "<items " .. table.concat(out, " ") .. "/>"
  end))
end

-- Every tile at home and upright, unselected; `turned` tiles (symbol ->
-- quarter turns) turned.
function tag.home(a, turned)
  a.lx, a.ly = a.ix, a.iy
  a.x = string.format("%f", 300 + 100 * tonumber(a.ix))
  a.y = string.format("%f", 200 + 100 * tonumber(a.iy))
  a.s = tostring(turned[tonumber(a.sym_s)] or 0)
  a.sel, a.h = "0", "0"
end

-- The symbols of the slides that bring every tile home, shortest first
-- (breadth-first over the field as minigame() tells it); the empty tile
-- carries the last symbol.
function tag.slides()
  local w, h, n = 3, 3, 9
  local start = {}
  for _, t in ipairs(minigame().items) do start[t.ly * w + t.lx + 1] = t.sym_s end
  local key = function(b) return table.concat(b, ",") end
  local goal = {}
  for i = 1, n do goal[i] = i end
  local seen, queue, head = {[key(start)] = {}}, {start}, 1
  while queue[head] do
    local board = queue[head]
    head = head + 1
    local path = seen[key(board)]
    if key(board) == key(goal) then return path end
    local e
    for i = 1, n do if board[i] == n then e = i - 1 end end
    local ex, ey = e % w, math.floor(e / w)
    for _, d in ipairs({{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) do
      local x, y = ex + d[1], ey + d[2]
      if x >= 0 and x < w and y >= 0 and y < h then
        local next = {}
        for i = 1, n do next[i] = board[i] end
        local moved = next[y * w + x + 1]
        next[e + 1], next[y * w + x + 1] = moved, n
        if not seen[key(next)] then
          local p = {}
          for i, v in ipairs(path) do p[i] = v end
          p[#p + 1] = moved
          seen[key(next)] = p
          queue[#queue + 1] = next
        end
      end
    end
  end
end

-- Whether the game has ended (the scene fades out).
function tag.over()
  return scene() ~= "tower_tag" or select(2, scene()) ~= 1
end

-- Slides the tile of symbol n into the empty cell next to it: a click to
-- select it (unless it is selected), a click on the empty cell, then the
-- glide.
function tag.slide(n)
  if tag.tile(n).sel ~= 1 then tag.click_tile(n) end
  tag.click_tile(9)
  tick(20)
end

-- The field solved by clicks from where it stands, as minigame() tells it:
-- the shortest slides, then each tile turned upright (a quarter turn a
-- click on the selected tile). The game ends on the click that solves it.
function tag.solve()
  for _, n in ipairs(assert(tag.slides(), "the field cannot be solved")) do
    if tag.over() then return end
    tag.slide(n)
  end
  for sym = 1, 8 do
    if tag.over() then return end
    local tile = tag.tile(sym)
    local turns = (tile.is - tile.s) % 4
    if turns > 0 and tile.sel ~= 1 then tag.click_tile(sym) end
    for _ = 1, turns do tag.click_tile(sym) end
  end
end

return tag
