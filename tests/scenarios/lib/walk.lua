-- The demo's ways as a player walks them: for each scene the ways out, each
-- the screen point to click and the scene it leads to, and a search that
-- walks the shortest way from where the player stands to a scene by those
-- clicks alone. The one place that knows the demo's ways.
local demo = require("lib.demo")
local pn = require("lib.panel")
local walk = {}

-- ways[world][scene] = {{to, x, y[, hold = item]}}: with `hold` the way
-- leads on only with that item in the hand (the workshop's door into the
-- dark yard wants the lamp). Between worlds and across the Vethra the player
-- travels by magic (lib/story_magic.lua).
walk.ways = {}
walk.ways.home = {
  living_room = {{"hall", 670, 300}, {"cellar", 180, 485}, {"basement_quest_book", 470, 285}},
  hall = {{"living_room", 110, 300}, {"attic", 600, 300}, {"study", 270, 300}, {"workshop", 750, 280}},
  attic = {{"hall", 400, 555}, {"the_end", 80, 60}},
  the_end = {{"living_room", 400, 480}},
  study = {{"hall", 90, 300}, {"garden", 660, 200}, {"gallery", 195, 300}, {"nursery", 485, 250}},
  gallery = {{"study", 60, 300}, {"parlour", 740, 300}},
  parlour = {{"gallery", 50, 300}},
  nursery = {{"study", 60, 300}, {"kitchen", 740, 300}},
  kitchen = {{"nursery", 60, 300}},
  garden = {{"study", 400, 420}, {"pond", 720, 485}, {"herb_garden", 70, 460}, {"tavern", 650, 375}},
  herb_garden = {{"garden", 50, 300}, {"herb_garden_plants", 400, 380}},
  pond = {{"garden", 60, 485}, {"pond_under", 420, 380}, {"pier", 750, 190}},
  pond_under = {{"pond", 400, 30}},
  pier = {{"pond", 750, 460}, {"pier_fishing", 480, 360}, {"harbour", 150, 472}},
  pier_fishing = {{"pier", 400, 470}},
  harbour = {{"harbour_catapult", 700, 300}, {"pier", 700, 480}},
  harbour_catapult = {{"harbour", 400, 480}},
  cellar = {{"living_room", 400, 150}, {"crypt", 730, 230}},
  crypt = {{"cellar", 60, 300}, {"lab", 780, 300}},
  lab = {{"crypt", 60, 300}},
  workshop = {{"hall", 60, 270}, {"yard", 700, 200, hold = "lamp"}},
  yard = {{"workshop", 100, 314}, {"tower", 720, 340}},
  tower = {{"tower_tag", 190, 300}, {"tower_mirrors", 620, 300}, {"yard", 40, 370}},
  herb_garden_plants = {{"herb_garden", 70, 425}},
  tower_tag = {{"tower", 40, 330}},
  tower_mirrors = {{"tower", 40, 330}},
  tavern = {{"tavern_cards", 220, 400}, {"range", 660, 280}, {"garden", 485, 300}},
  tavern_cards = {{"tavern", 400, 440}},
  range = {{"tavern", 60, 300}},
}
-- The Vethra's end screen: its box wakes the player on the first field.
walk.ways.vethra = {the_end = {{"0_0_0", 400, 480}}}

-- Scenes the search walks into only when they are the goal: the games, the
-- pond's depths with their running air, the quest book and the end.
walk.goals_only = {
  tavern_cards = true, range = true, tower_tag = true, tower_mirrors = true, pier_fishing = true,
  herb_garden_plants = true, harbour_catapult = true, kitchen = true, pond_under = true,
  basement_quest_book = true, the_end = true,
}

-- The ways from `from` to `to` in `world`, fewest first: a list of ways,
-- nil when there is none.
function walk.route(world, from, to)
  local ways = walk.ways[world] or {}
  local came = {[from] = false}
  local queue, head = {from}, 1
  while queue[head] do
    local here = queue[head]
    head = head + 1
    if here == to then
      local steps = {}
      while came[here] do
        table.insert(steps, 1, came[here])
        here = came[here].from
      end
      return steps
    end
    if here == from or not walk.goals_only[here] then
      for _, way in ipairs(ways[here] or {}) do
        if came[way[1]] == nil then
          came[way[1]] = {from = here, to = way[1], x = way[2], y = way[3], hold = way.hold}
          queue[#queue + 1] = way[1]
        end
      end
    end
  end
end

-- Through one way: its item taken into the hand first when it wants one
-- (what the hand held kept in the inventory), and kept again after.
local function through(way)
  local taken
  if way.hold and held() ~= way.hold then
    if held() then pn.store() end
    pn.take(way.hold)
    taken = true
  end
  click(way.x, way.y)
  demo.wait_active(way.to)
  if taken then pn.store() end
end

-- Walks from the scene the player stands in to `to`, closing the hints
-- met on the way; those of `to` itself are left to the caller.
function walk.to(to)
  local from, _, _, _, world = scene()
  local steps = walk.route(world, from, to)
  assert(steps, "no way in " .. tostring(world) .. " from " .. tostring(from) .. " to " .. to)
  for i, way in ipairs(steps) do
    assert(scene() == way.from, "the way to " .. to .. " left from " .. tostring(scene()))
    through(way)
    if i < #steps then demo.close_hints() end
  end
end

return walk
