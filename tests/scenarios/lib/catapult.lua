-- Steps shared by the catapult scenarios, on the harbour's catapult game:
-- the far edge of the sea at y 150, the shore at 450, the aim starting at
-- (400, 300).
local demo = require("lib.demo")
local catapult = {}

-- A new game, up to the catapult, its tutorial read and closed: the game
-- plays from the next tick.
function catapult.start()
  demo.start_new_game()
  demo.close_hints()
  go("harbour_catapult")
  tick_until(function() return top_modal() == "catapult_tutorial" end, 100, "the catapult's tutorial")
  demo.click_on("catapult_tutorial_ok")
  assert(not select(4, scene()), "the game plays after the tutorial")
end

-- The aim as the game keeps it.
function catapult.cursor()
  local c = minigame().cursor
  return c.x, c.y
end

-- The ships afloat, each {x, y, speed, path, ...} as the game keeps them.
function catapult.ships()
  local m = minigame()
  local ships = {}
  for _, ship in ipairs(m.ships or {}) do ships[#ships + 1] = ship end
  return ships
end

return catapult
