-- Reading the last frame back, for scenarios that check what is drawn.
local pixels = {}

-- The first and last x from x0 to x1 on row y for which test(x, y) holds,
-- or nil when it holds nowhere.
function pixels.span(y, x0, x1, test)
  local first, last
  for x = x0, x1 do
    if test(x, y) then
      first = first or x
      last = x
    end
  end
  return first, last
end

return pixels
