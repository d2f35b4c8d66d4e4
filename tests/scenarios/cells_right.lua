-- The right button on a stored item takes it into the hand only where the
-- left one may: not while the player sleeps, not on a cell the tutorial's
-- lesson leaves out, not while a note lies open in front of the room. Each
-- refusal leaves the cell, the hand and the registry as they were; where
-- the left button works, so does the right.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
local pn = require("lib.panel")

local function right_click_cell(j)
  local x, y = pn.cell(j)
  click(x, y, "right")
end

-- The right button refused on cell j, holding `name`: nothing moves.
local function refused(j, name, why)
  right_click_cell(j)
  assert(held() == nil, why .. ": the hand stays empty, holds " .. tostring(held()))
  assert(panel().main.items[j + 1] == name, why .. ": the cell keeps " .. pn.items())
  assert(registry(name) == 2, why .. ": the registry keeps it stored")
end

demo.start_new_game()
give("coin")
pn.click_cell(2)
give("key")
pn.click_cell(0)
assert(pn.items() == "key,-,coin", pn.items())

set_flag("are_we_sleeping", "true")
refused(0, "key", "asleep")
set_flag("are_we_sleeping", "false")

nursery.go_to_nursery()
refused(2, "coin", "a cell outside the lesson")
right_click_cell(0)
assert(held() == "key" and panel().main.items[1] == false, "a lesson's cell gives its item")
pn.click_cell(0)

click(60, 300) -- back to the study
demo.wait_active("study")
click(195, 300)
demo.wait_active("gallery")
click(380, 470) -- the letter on the floor
assert(held() == "letter")
click(480, 200, "right") -- read in front of the room
tick(1)
assert(held() == nil and select(2, item("letter")) == "stLarge")
refused(2, "coin", "a note open")
