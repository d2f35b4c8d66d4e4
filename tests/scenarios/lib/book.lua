-- Steps the quest-book scenarios share, on the bundled demo: the book lies
-- on the living room's shelf; its pages are 300 by 400, the left ones at
-- (100, 80), the right ones at (400, 80); each page script shows a flat
-- plate at (30, 60) of its page.
local demo = require("lib.demo")
local book_lib = {}

book_lib.LEFT = {250, 300}   -- a point of the left page mask
book_lib.RIGHT = {550, 300}  -- and of the right one
book_lib.CLOSE = {750, 30}   -- the ribbon that closes the book

-- The plates' colours.
book_lib.HOUSE = {44, 74, 44}   -- the first sheet's back
book_lib.ATTIC = {106, 44, 36}  -- the second sheet's back
book_lib.GARDEN = {74, 44, 106} -- the third sheet's front

-- From the living room: the book on the shelf, until the book scene plays.
-- The book waits while its scene fades in, so nothing of it has moved yet.
function book_lib.open()
  demo.wait_active("living_room")
  click(470, 285)
  demo.wait_active("basement_quest_book")
end

-- Until the book has finished turning, by itself or not, and revealing:
-- every sheet made and at rest, the open spread read.
function book_lib.settle()
  tick_until(function()
    local b = book()
    if b.auto_turn ~= 0 or b.busy or page(b.cur) == 1 then return false end
    for _, state in ipairs(b.sheets) do
      if state ~= false and state ~= 0 and state ~= 2 then return false end
    end
    return true
  end, 200, "the book at rest")
end

-- A new game's first look into the book: cover, the turn to spread 1 and
-- its reveal.
function book_lib.first_opening()
  demo.start_new_game()
  book_lib.open()
  book_lib.settle()
end

function book_lib.is(x, y, rgb)
  local r, g, b = pixel(x, y)
  return r == rgb[1] and g == rgb[2] and b == rgb[3]
end

-- The sounds played since the first n, joined with ", ".
function book_lib.sounds_since(n)
  return table.concat(sounds(), ", ", n + 1)
end

function book_lib.click(point)
  click(point[1], point[2])
end

function book_lib.move(point)
  move(point[1], point[2])
end

return book_lib
