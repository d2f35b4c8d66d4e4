-- The demo story's walks through the tavern's and the tower's games once
-- they are won: each is entered again as a player would, found a quiet room
-- (no game dealt again), and left by its drawn way out, back where the
-- walk began.
local demo = require("lib.demo")
local games = {}

local function wait_active(id) demo.wait_active(id, 400) end

-- In and out of a won game's room: entered through `door` of `from`, no
-- game there, left through `out`.
local function visit(from, door, id, out)
  assert(scene() == from, "not in " .. from .. ": " .. tostring(scene()))
  click(door[1], door[2])
  wait_active(id)
  assert(minigame() == nil, id .. " plays again")
  click(out[1], out[2])
  wait_active(from)
end

-- From the tavern, the card table once won, back by its arrow.
function games.card_table()
  visit("tavern", {220, 400}, "tavern_cards", {400, 440})
end

-- From the range once won, through its door to the tavern and back.
function games.range()
  click(60, 300)
  wait_active("tavern")
  click(660, 280)
  wait_active("range")
  assert(minigame() == nil, "the range plays again")
end

-- From the tower, the mirror board once won, back through its door.
function games.mirrors()
  visit("tower", {620, 300}, "tower_mirrors", {40, 330})
end

-- From the tower, the stone tiles once won, back through their door.
function games.tiles()
  visit("tower", {190, 300}, "tower_tag", {40, 330})
end

return games
