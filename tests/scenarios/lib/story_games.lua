-- The demo story's walks through the tavern's and the tower's games once
-- they are won: each is entered again as a player would, found a quiet room
-- (no game dealt again), and left by its drawn way out, back where the
-- walk began.
local walk = require("lib.walk")
local games = {}

-- In and out of a won game's room from `from`: no game there.
local function visit(from, id)
  assert(scene() == from, "not in " .. from .. ": " .. tostring(scene()))
  walk.to(id)
  assert(minigame() == nil, id .. " plays again")
  walk.to(from)
end

-- From the tavern, the card table once won, back by its arrow.
function games.card_table()
  visit("tavern", "tavern_cards")
end

-- From the range once won, through its door to the tavern and back.
function games.range()
  walk.to("tavern")
  walk.to("range")
  assert(minigame() == nil, "the range plays again")
end

-- From the tower, the mirror board once won, back through its door.
function games.mirrors()
  visit("tower", "tower_mirrors")
end

-- From the tower, the stone tiles once won, back through their door.
function games.tiles()
  visit("tower", "tower_tag")
end

return games
