-- Objects of one draw list are drawn by depth, and objects of equal depth in
-- the order they entered the list.
local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

local reported = reports()
tick(2)
assert(window("squares") == "shown")
-- Each square alone where it does not overlap.
assert(colour(105, 120) == "255,0,0", "red alone: " .. colour(105, 120))
assert(colour(155, 120) == "0,255,0", "lime alone: " .. colour(155, 120))
assert(colour(105, 220) == "0,0,255", "blue alone: " .. colour(105, 220))
assert(colour(155, 220) == "255,255,255", "white alone: " .. colour(155, 220))
-- Depth 5 over depth 1, although it entered first.
assert(colour(130, 120) == "255,0,0", "red over lime: " .. colour(130, 120))
-- Equal depths: the later one on top.
assert(colour(130, 220) == "255,255,255", "white over blue: " .. colour(130, 220))
assert(reports() == reported, "reports while drawing")
