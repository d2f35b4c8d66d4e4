-- Steps shared by the scenarios that play the demo's workshop: a new game,
-- then through the hall into the workshop.
local demo = require("lib.demo")

local workshop = {}

-- Screen points of the workshop's things.
workshop.at = {
  chest_closed = {190, 420},
  chest_return = {190, 350},
  chest_body = {130, 460},
  rope = {182, 415},
  lockbox = {350, 430},
  door = {700, 200},
  oil_can = {705, 370},
  well = {505, 430},
  well_top = {505, 345},
  stone_statue = {350, 240},
  fire_pit = {625, 480},
  wall = {550, 150},
}

function workshop.click(name)
  local p = workshop.at[name]
  click(p[1], p[2])
end

-- From the main menu's first frame to the workshop, playing.
function workshop.enter()
  demo.start_new_game()
  click(670, 300) -- to the hall
  demo.wait_active("hall")
  click(750, 280) -- the workshop's door
  demo.wait_active("workshop")
end

-- The last sound played so far.
function workshop.last_sound()
  local all = sounds()
  return all[#all]
end

return workshop
