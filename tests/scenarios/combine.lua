-- The combination rules in the workshop: a stick used on the fire pit
-- becomes a torch in the hand and lights the fire through the rule's own
-- composite; a rope used on the well's winch pulls it and stays in hand.

local demo = require("lib.demo")
local ws = require("lib.workshop")

ws.enter()

give("stick")
local seen = #events()
ws.click("fire_pit")
assert(held() == "torch", tostring(held()))
assert(demo.events_since(seen):find("item_create torch", 1, true), demo.events_since(seen))
assert(flag("fire_lit") == "true")
assert(registry("torch") == 1, "the torch is in the hand")

give("rope")
ws.click("well_top")
assert(flag("pulled") == "true")
assert(held() == "rope", "an action leaves the held item where it is")
tick(2)
assert(window("hint") == nil, "a rule that applied ends the use: no drop-zone hint")
