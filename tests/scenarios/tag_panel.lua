-- The stone tiles' panel (kind 7) shows no inventory, so its strip draws
-- no cell: along the row through the middle of the cells, from the left
-- inventory arrow to the book's place, it is one plain colour, where the
-- tower's own panel shows its cells' frames. The done and exit buttons sit
-- in a niche of their own.
local demo = require("lib.demo")

-- The colours met along y 550 from x 240 to 710, each once, in order.
local function row()
  local seen, out = {}, {}
  for x = 240, 710 do
    local r, g, b = pixel(x, 550)
    local c = string.format("%d,%d,%d", r, g, b)
    if not seen[c] then
      seen[c] = true
      out[#out + 1] = c
    end
  end
  return out
end

demo.start_new_game()
go("tower")
tick(2)
assert(#row() > 2, "the tower's panel shows its cells: " .. table.concat(row(), " "))

go("tower_tag")
tick(2)
assert(panel().kind == 7)
local colours = row()
assert(#colours == 1, "cells drawn on the tiles' panel: " .. table.concat(colours, " "))
-- The niche behind the buttons, darker than the strip, between the note
-- button's place and the done button.
local r, g, b = pixel(165, 520)
local sr, sg, sb = pixel(60, 520)
assert(r + g + b < sr + sg + sb, string.format("no niche: %d,%d,%d", r, g, b))
