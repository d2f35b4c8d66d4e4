-- The runner's item functions: give() puts a made item in the hand as if
-- taken, item() finds an item in the hand or the scene and tells its current
-- name, look, alpha and place; volume() reads a sound type.

local demo = require("lib.demo")
demo.start_new_game()

local name, state, alpha, x, y = item("lamp")
assert(name == "lamp", "the lamp lies in the first room")
assert(alpha > 0.99, "drawn fully: " .. tostring(alpha))
assert(tonumber(x) and tonumber(y), "a place on the screen")
assert(item("no_such_item") == nil)

give("coin")
assert(held() == "coin")
assert(registry("coin") == 1, "a given item is on the pointer as if taken")
assert(item("coin") == "coin", "found in the hand")
give("feather")
assert(held() == "feather", "a second give replaces the held item")
assert(not pcall(give, "no_such_item"), "an item that cannot be made is an error")
assert(held() == "feather", "and the hand keeps its item")

assert(math.abs(volume(1001) - select(1, music())) < 1e-6, "type 1001 is the music")
assert(volume(1000) >= 0 and volume(1000) <= 1)
