-- A game with a lesson holds still from the end of its fade-in until the
-- lesson opens: the catapult's ships do not sail, the range takes no shot
-- and the herb garden gives no plant before the player has read what to do.
local demo = require("lib.demo")

demo.start_new_game()
demo.close_hints()

-- The harbour: the first ship lies where it was launched until the lesson.
go("harbour_catapult")
local first = minigame().ships[1]
assert(first, "a ship is afloat from the start")
local waited = 0
while top_modal() ~= "catapult_tutorial" do
  assert(select(4, scene()), "the catapult waits paused for its lesson")
  tick(1)
  waited = waited + 1
  assert(waited < 100, "the catapult's lesson never opened")
end
assert(waited > 1, "the lesson opened with the fade-in")
local ship = minigame().ships[1]
assert(ship.ctime == first.ctime and ship.y == first.y, "a ship sailed before the lesson: y " .. ship.y)
demo.click_on("catapult_tutorial_ok")
tick(2)
assert(not select(4, scene()), "the catapult plays once its lesson is closed")
assert(minigame().ships[1].ctime > first.ctime, "the ships sail after the lesson")

-- The range: shots at a bottle on every tick before the lesson break
-- nothing and spend no bullet.
go("range")
local game = minigame()
local bottle = game.goals[1]
waited = 0
while top_modal() ~= "tutorial_shooter" do
  click(bottle.x, bottle.y)
  tick(1)
  waited = waited + 1
  assert(waited < 100, "the range's lesson never opened")
end
game = minigame()
assert(game.goals[1].s == "normal" and game.gun.b == 4, "the range shot before its lesson")
demo.click_on("tutorial_shooter_ok")
tick(1)
click(bottle.x, bottle.y)
assert(minigame().goals[1].s == "break", "the range plays once its lesson is closed")

-- The herb garden: clicks on the mint before the lesson take nothing.
local plants = require("lib.plants")
go("herb_garden_plants")
local mint = plants.at.mint
waited = 0
while top_modal() ~= "plants_tutorial" do
  assert(select(4, scene()), "the garden waits paused for its lesson")
  click(mint[1], mint[2])
  assert(held() == nil, "the mint taken before the lesson")
  tick(1)
  waited = waited + 1
  assert(waited < 100, "the garden's lesson never opened")
end
demo.click_on("plants_tutorial_ok")
tick_until(function() return not select(4, scene()) end, 60, "the garden again")
click(mint[1], mint[2])
assert(held() == "mint", "the garden plays once its lesson is closed: " .. tostring(held()))
