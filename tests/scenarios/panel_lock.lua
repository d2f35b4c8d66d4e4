-- The panel locks with the scene. While the living room's big hint is up,
-- a click on a cell changes nothing and sends nothing, the passage arrows
-- are dead and their calls are dropped, and the menu button asks for no
-- menu, neither now nor once the hint is gone. Closing the hints gives back
-- exactly the passages the room has.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
local p = panel()
assert(not p.locked)
assert(p.passages.right and not p.passages.left, "the living room's right border leads to the hall")
give("key")
pn.click_cell(0)

-- The light and the coin complete the first mission: its big hint pauses
-- the room.
click(115, 240)
tick(1)
click(500, 420)
assert(held() == "coin")
tick_until(function() return window("hint") == "shown" end, 60, "the big hint")
p = panel()
assert(p.locked, "locked under the hint")
assert(not p.passages.right, "no passage arrow is live")

local seen = #events()
pn.click_cell(0)
assert(held() == "coin" and panel().main.items[1] == "key", "the cell refused: " .. pn.items())
assert(demo.events_since(seen) == "", demo.events_since(seen))

game_lua("onRightButtonClick()")
tick(40)
assert(scene() == "living_room", "the passage call was dropped")

pn.click("menu")
tick(3)
assert(window("hint") == "shown")
assert(panel().locked)

demo.close_hints()
p = panel()
assert(not p.locked)
assert(p.passages.right and not p.passages.left and not p.passages.top and not p.passages.bottom,
       "the passages come back as the room gives them")
tick(3)
assert(top_modal() == "thegame", "the menu asked for under the hint never opens: " .. tostring(top_modal()))

-- Unlocked, the cell takes the coin again.
pn.click_cell(0)
assert(held() == "key" and panel().main.items[1] == "coin", pn.items())

-- And the menu button, now, opens the local menu on the next tick.
pn.click("menu")
tick(2)
assert(top_modal() == "localmenu", "the local menu is up: " .. tostring(top_modal()))
