-- The kitchen's cook book. The panel's button opens it over the kitchen:
-- the button leaves the panel, the kitchen pauses and clear does nothing.
-- At the first page a click on the left half does nothing; the right half
-- turns a sheet and the items registry keeps the page; the fifth sheet
-- never turns, so the book stops at 4. A right click closes it, as a line
-- above the pages tells the player. Leaving the
-- kitchen and coming back keeps the page, and a damaged save that names
-- page 9 opens the book at 4.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
local kitchen = require("lib.kitchen")
kitchen.enter(true)

local function open_book()
  game_lua("onMinigameButtonClick()")
  assert(window("cook_book") == "shown", tostring(window("cook_book")))
  assert(window("cook_book_button") == nil, "the button is off the panel")
  assert(minigame().paused == 1 and minigame().book == 1)
end
-- The right page: the front of sheet n, coloured after its place.
local fronts = {[1] = {192, 224, 240}, [2] = {224, 224, 224}, [3] = {160, 240, 240}, [4] = {192, 192, 240}}
local function right_page()
  local r, g, b = pixel(420, 480)
  for n, c in pairs(fronts) do
    if r == c[1] and g == c[2] and b == c[3] then return n end
  end
  return r .. "," .. g .. "," .. b
end

-- The light letters of the line above the pages, over the dark desk.
local function caption_shown()
  local px = require("lib.pixels")
  return px.span(58, 80, 720, function(x, y) return (pixel(x, y)) > 200 end) ~= nil
end

assert(not caption_shown())
open_book()
tick(1)
assert(right_page() == 1, "opens at the first page: " .. tostring(right_page()))
assert(text("cook_book_close") == "Right-click to close the book", tostring(text("cook_book_close")))
assert(caption_shown(), "the book says how it closes")
give("spoon")
local played = #sounds()
demo.click_on("btn_cook_clear")
assert(held() == "spoon" and #sounds() == played, "clear does nothing while the book is open")
click(200, 300)
tick(30)
assert(right_page() == 1 and registry("king_cook_minigame_book_info") == nil, "nothing before the first page")

click(600, 300)
assert(registry("king_cook_minigame_book_info") == 2, tostring(registry("king_cook_minigame_book_info")))
tick(30)
assert(right_page() == 2, tostring(right_page()))
for _ = 1, 3 do
  click(600, 300)
  tick(30)
end
assert(registry("king_cook_minigame_book_info") == 4, tostring(registry("king_cook_minigame_book_info")))
assert(right_page() == 4, tostring(right_page()))
click(600, 300)
tick(30)
assert(registry("king_cook_minigame_book_info") == 4 and right_page() == 4, "the last sheet never turns")
local time = minigame().time

click(400, 300, "right")
assert(window("cook_book") == nil, "closed")
assert(window("cook_book_button") == "shown" and minigame().paused == 0)
assert(minigame().time == time, "the time stood while the book was open")
tick(1)
assert(not caption_shown(), "the line goes with the book")

nursery.back_to_nursery()
nursery.go_to_kitchen()
nursery.close_cook_tutorial()
open_book()
tick(1)
assert(right_page() == 4, "the page is kept: " .. tostring(right_page()))
click(400, 300, "right")

key("t")
local doc = save_document()
local damaged, n = doc:gsub('<king_cook_minigame_book_info a0="4"/>', '<king_cook_minigame_book_info a0="9"/>')
assert(n == 1, doc:match("<king_cook_minigame_book_info[^>]*>") or "no page saved")
set_save_document(damaged)
local seen = reports()
key("x")
demo.wait_active("kitchen")
open_book()
tick(1)
assert(right_page() == 4, "a damaged page opens at the last: " .. tostring(right_page()))
assert(reports() == seen + 1, "one line tells of it")
