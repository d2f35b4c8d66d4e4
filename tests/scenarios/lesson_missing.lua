-- A lesson whose script cannot be opened holds no game still: it is said
-- on stderr and the catapult plays on as if the lesson had been read; its
-- ships sail, the keys steer the aim and Escape opens the local menu.
local demo = require("lib.demo")

demo.start_new_game()
demo.close_hints()
go("harbour_catapult")
local first = minigame().ships[1]
assert(first, "a ship is afloat from the start")
local before = reports()
tick_until(function() return reports() > before end, 100, "the missing lesson said")
tick(2)
assert(top_modal() == "thegame", "a dialog opened: " .. tostring(top_modal()))
assert(not select(4, scene()), "the catapult is held paused")
tick(10)
assert(minigame().ships[1].ctime > first.ctime, "the ships do not sail")

local x = minigame().cursor.x
key_down("right")
tick(5)
key_up("right")
assert(minigame().cursor.x > x, "the aim does not move")

key("escape")
tick(1)
assert(top_modal() == "localmenu", "Escape opened " .. tostring(top_modal()))
