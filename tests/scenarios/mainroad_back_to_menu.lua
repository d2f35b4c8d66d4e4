-- Leaving a game for the main menu through the local menu: the button's own
-- window is popped from inside its handler, the menu comes back with its
-- panel, and a new game starts afresh.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

start_new_game()
click(320, 350)
assert(held() == "lamp")
key("escape")
assert(top_modal() == "localmenu")
assert(select(4, scene()) == true, "the local menu pauses the scene")
click(400, 342) -- Main menu
tick(1)
assert(top_modal() == "mainmenu", "every screen above the menu is closed")
assert(scene() == nil and held() == nil, "the game is gone, the lamp with it")
tick(10)
local r, g, b = pixel(400, 500)
assert(b > r, "the menu's backdrop shows, not the last entry slide")

start_new_game()
assert(scene() == "living_room")
assert(registry("lamp") == 0, "the lamp stands in the room of the new game")
click(320, 350)
assert(held() == "lamp")
