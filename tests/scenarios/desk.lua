-- The kitchen's board. An onion laid on it lies there in the dropped place
-- and stays after the player leaves and comes back; a save holds the
-- board's record. The knife cuts it: the onion goes, the knife sounds, the
-- cut onion fades in over 10 ticks and its dust appears, and both are still
-- there after leaving. An empty hand takes the cut onion back.

local demo = require("lib.demo")
local nursery = require("lib.nursery")
demo.start_new_game()
nursery.go_to_nursery()
nursery.go_to_kitchen()
nursery.close_cook_tutorial()

local function leave_and_return()
  nursery.back_to_nursery()
  nursery.go_to_kitchen()
  nursery.close_cook_tutorial()
end

click(170, 490)
assert(held() == "onion")
click(420, 400)
assert(held() == nil, "laid on the board")
assert(nursery.registry("onion") == "4", nursery.registry("onion"))
leave_and_return()
local _, _, _, x, y = item("onion")
assert(x == 240 and y == 300, "the onion still lies on the board: " .. tostring(x) .. "," .. tostring(y))

key("t")
local board = save_document():match("<board>.-</board>") or ""
assert(board:find('<onion x="240" y="300"/>', 1, true), board)
assert(board:find('<__product_cut__ x="0" y="0"/>', 1, true) and board:find('<__product_dust__ x="0" y="0"/>', 1, true),
  board)

click(250, 490)
assert(held() == "knife")
click(420, 400)
assert(item("onion") == nil, "cut up")
assert(held() == "knife", "the knife stays in the hand")
local played = sounds()
assert(played[#played] == "sounds/chop.wav", tostring(played[#played]))
local function cut_alpha() return select(3, item("onion_cut")) end
tick(1)
assert(math.abs(cut_alpha() - 0.1) < 0.01, "fading in: " .. cut_alpha())
tick(8)
assert(cut_alpha() < 1, "not yet: " .. cut_alpha())
tick(1)
assert(cut_alpha() == 1, "faded in on the tenth tick: " .. cut_alpha())
assert(item("onion_dust") ~= nil)

click(400, 200)
assert(held() == nil, "the knife back in its place")
leave_and_return()
assert(item("onion_cut") ~= nil and item("onion_dust") ~= nil, "the pieces stay on the board")
click(290, 345)
assert(held() == "onion_cut")
assert(reports() == 0, reports() .. " report line(s)")
