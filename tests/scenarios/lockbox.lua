-- The workshop's lockbox opens only for its brass key: with an empty hand
-- it refuses with its sound and its action; with the key it opens, and the
-- key stays in hand.

local ws = require("lib.workshop")

ws.enter()
ws.click("lockbox")
assert(ws.last_sound() == "sounds/deny.wav", ws.last_sound())
assert(flag("box_refused") == "true")
assert(select(2, item("lockbox")) == "stClosed")
assert(registry("lockbox", 0) == 0 and registry("lockbox", 1) == 0)

give("brass_key")
ws.click("lockbox")
assert(ws.last_sound() == "sounds/open.wav", ws.last_sound())
assert(held() == "brass_key", "the key stays in hand")
assert(registry("lockbox", 0) == 1)
tick(10)
assert(select(2, item("lockbox")) == "stOpened")
assert(item("statue_head") == "statue_head", "what lay inside shows")
