-- Steps shared by the scenarios of the pond beyond the garden: a new game,
-- then through the hall, the study and the garden down to the pond.
local demo = require("lib.demo")

local pond = {}

-- Screen points of the pond's things.
pond.at = {
  path = {60, 485},
  water = {420, 380},
  mouth = {680, 485},
  mushroom = {190, 460},
  toadstool = {250, 475},
  nightberry = {708, 325},
  -- The scene's picture, well inside the indicators' clear middle.
  grass = {200, 300},
  sky = {400, 100},
  pond = {420, 440},
}

function pond.click(name)
  local p = pond.at[name]
  click(p[1], p[2])
end

-- From the main menu's first frame to the pond, playing.
function pond.enter()
  demo.start_new_game()
  click(670, 300) -- to the hall
  demo.wait_active("hall")
  click(270, 300) -- the study
  demo.wait_active("study")
  click(660, 200) -- out of the window
  demo.wait_active("garden")
  click(720, 485) -- down the path
  demo.wait_active("pond")
end

-- Puts `name` in the hand and on the cloth: eaten.
function pond.eat(name)
  give(name)
  pond.click("mouth")
end

return pond
