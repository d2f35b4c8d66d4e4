-- The game window around the bundled living room: a variable that selects
-- another state rebuilds the scene at once without a fade; Escape opens the
-- local menu and pauses the scene, and while it is paused "t" saves nothing;
-- "Resume" unlocks the scene and "t" then writes the quick save; the menu's
-- "Main menu" quits the game from inside its own modal's button.

local demo = require("lib.demo")

local function has_event(line)
  for _, e in ipairs(events()) do
    if e == line then return true end
  end
  return false
end

local function wait_for(what, test)
  for _ = 1, 400 do
    if test() then return end
    tick(1)
  end
  error("never: " .. what)
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
wait_for("the game screen", function() return top_modal() == "thegame" end)
wait_for("the scene to play", function()
  local _, state = scene()
  return state == 1
end)

-- The switch sets "lamp_lit", which selects the lit state of the same scene.
local id, state, index = scene()
assert(id == "living_room" and index == 0)
click(115, 240)
assert(has_event("flag lamp_lit=true"), "the switch sets the variable")
tick(1)
id, state, index = scene()
assert(id == "living_room" and index == 1, "the lit state is built")
assert(state == 1, "a change of state shows at once, without a fade")

-- Escape: the local menu, over a paused scene.
key("escape")
tick(1)
assert(top_modal() == "localmenu")
local _, _, _, paused = scene()
assert(paused, "the local menu pauses the scene")
key("t")
tick(1)
assert(not save_document():find('ind="1"'), "no quick save while paused")

click(400, 272) -- Resume
tick(1)
assert(top_modal() == "thegame")
_, _, _, paused = scene()
assert(not paused, "Resume unlocks the scene")
key("t")
tick(1)
assert(save_document():find('ind="1"'), "the quick save is written")

-- Main menu: quitGame runs inside the local menu's own button and pops
-- every modal above the root, the game's included.
key("escape")
tick(1)
assert(top_modal() == "localmenu")
click(400, 342)
tick(2)
assert(top_modal() == "mainmenu", "back in the main menu")
assert(scene() == nil, "the game is gone")
