-- A game whose exit names a scene the world does not have: the loss is
-- reported and the game's own scene is entered again, as an empty exit
-- does, instead of a fade out that never ends. The ring carried in comes
-- out in the main inventory.
local demo = require("lib.demo")
local keep = require("lib.keep")

demo.start_new_game()
demo.close_hints()
give("ring")
go("range")
tick_until(function() return top_modal() == "tutorial_shooter" end, 100, "the range's lesson")
demo.click_on("tutorial_shooter_ok")
tick(1)
assert(held() == nil and keep.count("ring") == 1, "the ring went into the main inventory at the door")
local before = reports()
for _, x in ipairs({100, 300, 500, 780}) do
  click(x, 400)
  tick(3)
end
assert(flag("shooter_lost") == "true")
assert(reports() > before, "the missing exit scene is reported")
-- The range again, a fresh game that plays: not a black screen for good.
tick_until(function()
  local id, state = scene()
  return id == "range" and state == 1 and minigame() and minigame().gun.b == 4
end, 200, "the range entered again")
tick_until(function() return top_modal() == "tutorial_shooter" end, 100, "the new game's lesson")
demo.click_on("tutorial_shooter_ok")
tick(1)
local r, g, b = pixel(400, 100)
assert(r + g + b > 60, "the screen stays dark: " .. r .. " " .. g .. " " .. b)
keep.in_inventory("ring", "after the loss")
