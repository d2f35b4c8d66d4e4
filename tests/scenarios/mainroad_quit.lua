-- Closing the window during play: the question pauses the running scene
-- once; "No" lets it play on. Asked again, "Yes" ends the game, and the
-- shut-down takes the running game down with it.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

start_new_game()
click(320, 350)
assert(held() == "lamp")

close_request()
assert(top_modal() == "yesnobox")
assert(select(4, scene()) == true, "the scene is paused while the question is up")
close_request() -- asked again while it is up: nothing more
assert(top_modal() == "yesnobox")
tick(5)
click(460, 335) -- No
tick(1)
assert(top_modal() == "thegame")
assert(select(4, scene()) == false, "the scene plays on")

-- Paused by the local menu first: cancelling the question leaves it paused.
key("escape")
assert(top_modal() == "localmenu")
close_request()
click(460, 335) -- No
tick(1)
assert(top_modal() == "localmenu")
assert(select(4, scene()) == true, "still paused under the local menu")
click(400, 272) -- Back to the game
tick(1)
assert(top_modal() == "thegame")
assert(select(4, scene()) == false)

close_request()
assert(top_modal() == "yesnobox")
click(330, 335) -- Yes
assert(ended(), "the game has ended")
