-- The ribbon that closes the quest book leads back to the scene the player
-- came from, as the book button stores it; entered from the living room's
-- shelf no scene is stored, and the book leads home to the living room.

local demo = require("lib.demo")
local bk = require("lib.book")

demo.start_new_game()
bk.open()
assert(flag("exit_from_book_scene") == "null")
bk.click(bk.CLOSE)
demo.wait_active("living_room")
assert(flag("exit_from_book_scene") == "")

-- With a scene stored, back there.
bk.open()
set_flag("exit_from_book_scene", "hall")
bk.click(bk.CLOSE)
demo.wait_active("hall")
assert(flag("exit_from_book_scene") == "")
