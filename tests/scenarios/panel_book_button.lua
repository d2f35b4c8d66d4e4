-- The panel's book button. Hidden until the study's apple is taken (the
-- mission's unlock_panel_book); then, while the pointer rests on the red of
-- the book mask, it opens one frame every fourth panel tick (two
-- heartbeats: an inventory scene ticks the panel twice), "1" to "11", and
-- closes again off it. Taking the shears marks the task, cutting the rope
-- the whole mission, whose mark replaces the task's. A click keeps the
-- timers' snapshot and the scene to come back to, and enters the book.

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

-- The click: the scene to come back to and the timers' snapshot are kept,
-- and the book opens.
pn.click("book")
assert(flag("exit_from_book_scene") == "study")
local snapshot = flag("timer_controllers_snapshot")
assert(snapshot:find("<timer_controllers", 1, true) and snapshot:find("<indicators", 1, true), snapshot)
demo.wait_active("basement_quest_book")
-- Inside the book the button takes no click: the book would become the
-- scene to come back to.
pn.click("book")
tick(2)
assert(flag("exit_from_book_scene") == "study")
bk.settle()
bk.click(bk.CLOSE)
demo.wait_active("study")
assert(flag("timer_controllers_snapshot") == "", "used up on the way out")
