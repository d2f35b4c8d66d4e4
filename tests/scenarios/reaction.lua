-- The statue in the gallery reacts to what the player holds: the token is
-- its fee (the pointer offers a look, and the token is taken), the flower
-- it only looks at (the flower stays in hand), and anything else, the empty
-- hand included, it merely lets be touched.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()

click(130, 470) -- the token on the floor
assert(held() == "token")
move(150, 300)
tick(1)
assert(pointer() == "stEye", "with the token the statue offers a look: " .. tostring(pointer()))
click(150, 300)
assert(flag("paid") == "true")
assert(held() == nil, "the fee is taken")
assert(flag("touched") == "null", "only the token's reaction ran")

click(180, 470) -- the flower
assert(held() == "flower")
click(150, 300)
assert(flag("statue_smiled") == "true")
assert(held() == "flower", "the flower stays in hand")
assert(flag("touched") == "null")

click(480, 200) -- the flower onto the shelf
assert(held() == nil)
move(150, 300)
tick(1)
assert(pointer() ~= "stEye", "the empty hand is offered nothing: " .. tostring(pointer()))
click(150, 300)
assert(flag("touched") == "true", "the empty hand touches it")
assert(reports() == 0, reports() .. " report line(s)")
