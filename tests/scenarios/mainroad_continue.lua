-- Coming back to a saved game from the main menu: "Continue" loads the
-- autosave, the key "x" the quick save, each after the panel's slide-out
-- and the entry slides.

local demo = require("lib.demo")

local function wait_game()
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

local function to_menu()
  key("escape")
  click(400, 342) -- Main menu
  tick(1)
  assert(top_modal() == "mainmenu")
  tick(10)
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
wait_game()
click(320, 350) -- the lamp in hand
autosave()
tick(1)
click(400, 200) -- and back in its place
key("t") -- quick save with the lamp in the room
to_menu()

click(110, 342) -- Continue: the autosave
wait_game()
assert(scene() == "living_room")
assert(held() == "lamp", "the autosave had the lamp in hand")
to_menu()

key("x") -- the quick save
wait_game()
assert(held() == nil, "the quick save had the lamp in the room")
assert(registry("lamp") == 0)
