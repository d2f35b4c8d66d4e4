-- The invisibility overlay follows the invisibility timer. Each way out of
-- the book loads the timers it saved on the way in: the overlay's particles
-- are replaced, never piled up, however often the player looks into the
-- book. A save from before the invisibility timer was kept (no such child)
-- loads visible, with no overlay, though its flag and overlay said otherwise.

local demo = require("lib.demo")
local bk = require("lib.book")
local pn = require("lib.panel")

demo.start_new_game()
demo.unlock_magics()
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")
click(620, 472) -- the apple shows the book button
assert(panel().book.state == 1)
demo.cast("invisibility")
tick_until(function() return window("magic_effect") == nil end, 200, "the effect's end")
local one = indicators().invisibility.particles
assert(one > 0 and flag("are_we_invisible") == "true")
for visit = 1, 3 do
  pn.click("book")
  demo.wait_active("basement_quest_book")
  bk.click(bk.CLOSE)
  demo.wait_active("study")
  local now = indicators().invisibility
  assert(now.active and now.particles == one,
    string.format("visit %d: %d particles where one set has %d", visit, now.particles, one))
end
assert(timers().invisibility.state == 0, "still unseen after the visits")

-- Saved while unseen, the timer's child taken out: loaded, the player is seen.
key("t")
tick(1)
local old, count = save_document():gsub('<invisibility state="%d+" left_time="%d+"/>', "", 1)
assert(count == 1, "the timer's child")
assert(old:find('<are_we_invisible value="true"/>', 1, true) and old:find('act="1"', 1, true))
set_save_document(old)
key("x")
demo.wait_active("study")
assert(timers().invisibility.state == 1, "no invisibility loaded")
assert(flag("are_we_invisible") == "false", "seen: " .. flag("are_we_invisible"))
local overlay = indicators().invisibility
assert(not overlay.active and overlay.particles == 0, "no overlay")
assert(reports() == 0, reports() .. " report line(s)")
