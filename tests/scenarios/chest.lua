-- The workshop's chest opens with a click on its closed mask: the open
-- sound, its place in the registry, and a ten-tick fade of the opened
-- picture and of the items inside. An item taken out goes back through the
-- return zone; a click on the opened chest closes it. A chest saved while
-- opening comes back opened.

local demo = require("lib.demo")
local ws = require("lib.workshop")

local function alpha(name) return select(3, item(name)) end
local function state(name) return select(2, item(name)) end
local function near(a, b) return math.abs(a - b) < 1e-3 end

ws.enter()
assert(state("chest") == "stClosed")
local closed = {pixel(130, 450)}
assert(item("rope") == nil, "nothing inside is made while it is closed")

ws.click("chest_closed")
assert(ws.last_sound() == "sounds/open.wav", ws.last_sound())
assert(registry("chest") == 1)
tick(1)
assert(near(alpha("chest"), 0.1), alpha("chest"))
assert(near(alpha("rope"), 0.1), "the items inside fade in with it")
tick(8)
assert(near(alpha("chest"), 0.9))
tick(1)
assert(near(alpha("chest"), 1.0) and state("chest") == "stOpened")
assert(near(alpha("rope"), 1.0) and near(alpha("brass_key2"), 1.0))

-- Out and back in through the return zone.
ws.click("rope")
assert(held() == "rope")
assert(registry("rope") == 1)
move(ws.at.chest_body[1], ws.at.chest_body[2])
assert(pointer() ~= "stItem", "over the chest itself it shows the chest's own look")
move(ws.at.chest_return[1], ws.at.chest_return[2])
assert(pointer() == "stItem", tostring(pointer()))
ws.click("chest_return")
assert(held() == nil)
assert(registry("rope") == 0)
assert(item("rope") == "rope", "lying inside again")
assert(state("chest") == "stOpened")

-- Closing.
ws.click("chest_body")
assert(ws.last_sound() == "sounds/close.wav", ws.last_sound())
assert(registry("chest") == 0)
tick(9)
assert(state("chest") == "stOpened" and near(alpha("chest"), 0.1))
tick(1)
assert(state("chest") == "stClosed")
assert(item("rope") == nil)
assert(near(alpha("chest"), 1.0), "the closed chest shows whole again")
tick(1)
local r, g, b = pixel(130, 450)
assert(r == closed[1] and g == closed[2] and b == closed[3], "drawn as before it opened")

-- Saved on the third tick of an opening, loaded: opened.
ws.click("chest_closed")
tick(3)
key("t")
tick(2)
key("x")
demo.wait_active("workshop")
assert(state("chest") == "stOpened", state("chest"))
assert(near(alpha("chest"), 1.0))
assert(item("rope") == "rope")
