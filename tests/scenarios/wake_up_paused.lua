-- The scene built behind the wake-up's picture stays paused while the
-- picture fades out over it: a click there does nothing and a quick save is
-- refused, so no save holds the game before the wake-up's action. A load
-- while the picture fades ends the effect without its action.

local demo = require("lib.demo")
demo.start_new_game()

local function paused() return select(4, scene()) end
local gate = {100, 315}

-- A click on the yard's gate two heartbeats into the fade-out.
set_flag("slept_scene", "yard")
show_effect("wake_up")
tick(29)
assert(scene() == "yard")
tick(2)
assert(paused(), "the yard waits for the picture")
click(gate[1], gate[2])
tick_until(function() return window("wake_up_effect") == nil end, 40, "the wake-up's end")
assert(flag("woke") == "true" and not paused())
tick(40)
assert(scene() == "yard" and select(2, scene()) == 1, "the player is still in the yard")
click(gate[1], gate[2])
demo.wait_active("workshop") -- the gate works once the player is awake

-- A quick save and a quick load during the fade-out do nothing.
set_flag("woke", "false")
show_effect("wake_up")
tick(31)
key("t")
tick_until(function() return window("wake_up_effect") == nil end, 40, "the wake-up's end")
key("x")
tick(2)
assert(flag("woke") == "true", "woke: " .. flag("woke"))

-- A load from the menu while the picture fades out.
set_flag("woke", "false")
key("t")
key("escape")
demo.click_on("btn_Load")
show_effect("wake_up")
tick(31)
assert(window("wake_up_effect") == "shown")
demo.click_on("load0")
demo.click_on("load0")
assert(window("load") == nil, "loaded")
assert(window("wake_up_effect") == nil, "the load ends the effect")
tick(60)
assert(flag("woke") == "false", "woke: " .. flag("woke"))
demo.wait_active("yard")
assert(not paused())
