-- The catapult saved and loaded: with two ships afloat (one of them on the
-- middle lane, where the big ships sail) and a stone in the air, "t" keeps
-- the ships, the lanes' counts, the schedule, the aim and the stone; "x"
-- brings them back: the ships in their places from the next tick, the
-- middle one still a big ship, the stone landing where it was aimed, and
-- the catapult ready to throw at once.
local catapult = require("lib.catapult")
local demo = require("lib.demo")
catapult.start()

local function on_p2(ships)
  for _, ship in ipairs(ships) do
    if ship.path == "p2" then return ship end
  end
end
tick_until(function()
  local ships = catapult.ships()
  return #ships == 2 and on_p2(ships)
end, 2000, "two ships afloat, one on the middle lane")
-- The aim off the ships, then a stone at it.
key_down("left")
tick(20)
key_up("left")
key("space")
tick(5)
local before = minigame()
assert(before.ft > 0, "a stone in the air")
key("t")

local doc = save_document()
local catapult_xml = doc:match("<catapult.-</catapult>")
assert(catapult_xml, "the save keeps the catapult")
assert(catapult_xml:find('<ship [^>]*path="p2"'), "a ship of the middle lane")
assert(select(2, catapult_xml:gsub("<ship ", "")) == 2, "two ships")
for _, part in ipairs({"<pathes>", '<path id="p1" ships="', "<cursor ", 'ticks="', 'total_ships="',
  'next_ship_time="', 'ft="' .. before.ft .. '"', 'lcx="' .. before.lcx .. '"', 'lcy="' .. before.lcy .. '"'}) do
  assert(catapult_xml:find(part, 1, true), "the save has " .. part)
end

-- The game goes on, and is then loaded back: a save the game made holds
-- nothing it would have to mend.
tick(60)
local reported = reports()
key("x")
demo.wait_active("harbour_catapult")
assert(reports() == reported, "the load reported " .. reports() - reported .. " line(s)")
local saved = before.ships
-- The tick that ended the fade-in was the first one played.
local m = minigame()
assert(m.ft == before.ft - 1, "the stone is in the air again: " .. m.ft)
assert(#m.ships == 2)
for i, ship in ipairs(m.ships) do
  local was = saved[i]
  assert(ship.path == was.path)
  -- One tick of sailing from where it was saved.
  assert(math.abs(ship.y - was.y) < 3 and math.abs(ship.x - was.x) < 3,
    "ship " .. i .. " at " .. ship.x .. "," .. ship.y .. " was at " .. was.x .. "," .. was.y)
end
local big = on_p2(m.ships)
assert(big.visual == "ship_big", "the middle lane's ship is a big one: " .. tostring(big.visual))
assert(m.cursor.x == before.cursor.x and m.cursor.y == before.cursor.y, "the aim where it was")

-- The stone lands where it was aimed.
tick_until(function() return minigame().ft == -1 end, 200, "the stone landing")
local splash = minigame().splash
assert(splash.state == "splash" and splash.x == before.lcx and splash.y == before.lcy,
  "the splash at " .. splash.x .. "," .. splash.y)

-- Ready to throw at once.
local shots = #sounds()
key("space")
assert(minigame().ft > 0, "a new stone")
assert(sounds()[shots + 1] == "audio/sfx/minigames/catapult/shoot.ogg")
