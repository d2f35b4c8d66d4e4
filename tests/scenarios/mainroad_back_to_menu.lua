-- Leaving a game for the main menu through the local menu: the button's own
-- window is popped from inside its handler, the menu comes back with its
-- panel, and a new game starts afresh.

local function start_new_game()
  click(110, 282)
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

tick(10)
start_new_game()
click(320, 350)
assert(held() == "lamp")
key("escape")
assert(top_modal() == "localmenu")
assert(select(4, scene()) == true, "the local menu pauses the scene")
click(400, 342) -- Main menu
tick(1)
assert(top_modal() == "menuwnd", "every screen above the menu is closed")
assert(scene() == nil and held() == nil, "the game is gone, the lamp with it")
tick(10)
local r, g, b = pixel(400, 500)
assert(b > r, "the menu's backdrop shows, not the last entry slide")

start_new_game()
assert(scene() == "living_room")
assert(registry("lamp") == 0, "the lamp stands in the room of the new game")
click(320, 350)
assert(held() == "lamp")
