-- Scrolling the inventory: nine items in the first nine cells, five shown.
-- The wheel moves the first shown cell from 0 to the last five and no
-- further, and back; the
-- arrows are live only where there is somewhere to scroll, and scrolling
-- changes which cells show, never which item a cell holds. In the study
-- the left passage arrow runs the scene's left border, back to the hall.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")
local p = panel()
assert(p.passages.left and not p.passages.right and not p.passages.top and not p.passages.bottom,
       "the study has its left border only")

-- Five items fill the shown cells; the strip then scrolls one cell at a
-- time to show the rest.
local names = {"key", "coin", "feather", "ring", "shell", "stick", "rope", "chalk", "token"}
for i = 1, 5 do
  give(names[i])
  pn.click_cell(i - 1)
end
assert(not panel().arrows.left and panel().arrows.right, "at the start only the right arrow is live")
move(pn.cell(2))
for i = 6, 9 do
  wheel(-1)
  assert(panel().main.first == i - 5, "one cell a notch: " .. panel().main.first)
  give(names[i])
  pn.click_cell(4)
end
assert(pn.items() == table.concat(names, ","), pn.items())

local last = #panel().main.items - 5
wheel(-(last - 4 + 3))
p = panel()
assert(p.main.first == last, "no further than the last five: " .. p.main.first)
assert(p.arrows.left and not p.arrows.right, "at the end only the left arrow is live")
wheel(2)
assert(panel().main.first == last - 2)
assert(panel().arrows.left and panel().arrows.right)
wheel(last + 1)
assert(panel().main.first == 0)
assert(not panel().arrows.left)
assert(pn.items() == table.concat(names, ","), "scrolling moves no item: " .. pn.items())
-- The arrows scroll too.
pn.click("arrow_right")
assert(panel().main.first == 1)
pn.click("arrow_left")
assert(panel().main.first == 0)

-- The left passage arrow leads back to the hall.
pn.click("passage_left")
demo.wait_active("hall")
