-- The crypt's items that run by time. Its timer sets one flag on the first
-- and another on the third tick after the scene has faded in; the coffin's
-- lid creaks open only on the first visit; the fire burns in the hand for
-- its ticks, then gives back the item held before it, or goes out at once
-- when it is used.

local demo = require("lib.demo")
demo.start_new_game()

local function go_down()
  click(730, 230) -- the cellar's door to the crypt
  tick_until(function() return scene() == "crypt" and select(2, scene()) == 0 end, 100, "the crypt")
end

click(180, 485) -- the trapdoor
demo.wait_active("cellar")
go_down()
-- The tick that built the crypt ran its first update; the fade-in takes 35.
assert(select(2, item("creak")) == "0", "the lid creaks open on the first visit")
tick(34)
assert(flag("crypt_first_tick") == "null", "the schedule waits while the scene fades in")
tick(1)
assert(flag("crypt_first_tick") == "true", "update 36: the first tick")
assert(flag("crypt_third_tick") == "null")
tick(1)
assert(flag("crypt_third_tick") == "null")
tick(1)
assert(flag("crypt_third_tick") == "true", "update 38: the third tick")

click(60, 300) -- the stairs
demo.wait_active("cellar")
go_down()
assert(select(2, item("creak")) == "1", "found open on the second visit")
demo.wait_active("crypt")

-- The fire, cast while the ring was in the hand.
set_flag("__fire_magic_saved_item", "ring")
give("fire_magic_item")
set_flag("fire_on", "true")
tick(240)
assert(held() == "fire_magic_item" and flag("fire_on") == "true", "still burning after 240 ticks")
tick(1)
assert(flag("fire_on") == "false", "out after 241")
assert(held() == "ring", "the ring is back: " .. tostring(held()))

-- Used (a right-click), it goes out on the next tick.
give("fire_magic_item")
set_flag("fire_on", "true")
tick(3)
click(400, 300, "right")
assert(held() == "fire_magic_item")
tick(1)
assert(flag("fire_on") == "false" and held() == "ring", tostring(held()))
