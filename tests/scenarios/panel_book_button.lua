-- The panel's book button. Hidden until the study's apple is taken (the
-- mission's unlock_panel_book); then, while the pointer rests on the red of
-- the book mask, it opens one frame every fourth panel tick (two
-- heartbeats: an inventory scene ticks the panel twice), "1" to "11", and
-- closes again off it. Taking the shears marks the task, cutting the rope
-- the whole mission, whose mark replaces the task's. A click keeps the
-- timers' snapshot and the scene to come back to, and enters the book,
-- where the timers hold; leaving it restores them.

local demo = require("lib.demo")
local pn = require("lib.panel")
local bk = require("lib.book")

demo.start_new_game()
local book = panel().book
assert(book.state == 0 and not book.shown, "hidden in a new game")
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")
assert(panel().book.state == 0)

click(620, 472) -- the apple
assert(held() == "apple")
book = panel().book
assert(book.state == 1 and book.shown and book.look == "0", "unlocked by the mission")
assert(flag("quest_book_control_unlocked") == "true")
pn.click_cell(0)

-- Hovering: a frame every second heartbeat, then it stays open.
move(664, 550)
local frames, changes = {}, {}
for t = 1, 26 do
  tick(1)
  local f = panel().book.frame
  if f ~= (frames[#frames] or 0) then changes[#changes + 1] = t end
  frames[#frames + 1] = f
end
assert(frames[#frames] == 11 and panel().book.look == "11", table.concat(frames, " "))
assert(#changes == 11, table.concat(frames, " "))
for i = 2, #changes do assert(changes[i] - changes[i - 1] == 2, table.concat(frames, " ")) end
assert(changes[11] <= 23, "open within 22 heartbeats: " .. table.concat(frames, " "))

-- Over the niche but off the book's red the button closes, frame by frame.
move(630, 510)
tick(2)
assert(panel().book.frame == 10, panel().book.frame)
tick(20)
assert(panel().book.frame == 0 and panel().book.look == "0")

-- The task mark, then the mission's mark over it.
click(680, 472) -- the shears
assert(held() == "shears")
book = panel().book
assert(book.state == 3 and book.look == "stTaskComplete", book.state .. " " .. book.look)
pn.click_cell(1)
give("rope")
pn.click_cell(1) -- the rope on the shears: cut
assert(held() == "rope_cut", tostring(held()))
book = panel().book
assert(book.state == 2 and book.look == "stMissionComplete", book.state .. " " .. book.look)
tick_until(function() return panel().book.state == 1 end, 200, "the end of the mission's mark")
assert(panel().book.look == "0")
pn.click_cell(2)

-- In the gallery the mouse trap's clock runs. The click keeps the timers'
-- snapshot and the scene to come back to, and the book opens; in the book
-- the clock holds, and leaving it brings the clock back as it was.
click(195, 300) -- the gallery
demo.wait_active("gallery")
-- The apple kept in a cell earned health: its unlock plays first.
tick_until(function() return not select(4, scene()) end, 60, "the health magic's unlock")
click(330, 470) -- the baited trap
click(530, 400) -- set down: its clock starts
tick(10)
local left = timers().mousetrap.left
assert(timers().mousetrap.state == 0 and left < 2000, left)
pn.click("book")
assert(flag("exit_from_book_scene") == "gallery")
local snapshot = flag("timer_controllers_snapshot")
assert(snapshot:find("<timer_controllers", 1, true) and snapshot:find("<indicators", 1, true), snapshot)
demo.wait_active("basement_quest_book")
local held_at = timers().mousetrap.left
tick(30)
assert(timers().mousetrap.left == held_at, "the clock holds in the book")
-- Inside the book the button takes no click: the book would become the
-- scene to come back to.
pn.click("book")
tick(2)
assert(flag("exit_from_book_scene") == "gallery")
bk.settle()
bk.click(bk.CLOSE)
demo.wait_active("gallery")
assert(flag("timer_controllers_snapshot") == "", "used up on the way out")
assert(timers().mousetrap.state == 0 and timers().mousetrap.left == left, "as it was at the click")
tick(10)
assert(timers().mousetrap.left < left, "and it runs on")
