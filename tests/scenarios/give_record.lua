-- The runner's give() takes the place of what the hand held as the game
-- uses an item up: the record of the item replaced is ended (dropped, 4),
-- so registry, save and screen agree that it is gone.
local demo = require("lib.demo")

demo.start_new_game()
demo.close_hints()
give("ring")
assert(registry("ring") == 1, "the ring in the hand")
give("silver_coin")
assert(held() == "silver_coin" and registry("silver_coin") == 1)
assert(registry("ring") == 4, "the ring's record: " .. tostring(registry("ring")))
