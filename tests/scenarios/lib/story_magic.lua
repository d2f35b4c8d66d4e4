-- Steps of the demo story's hazards and magics: a cast through the panel's
-- buttons as the player makes it, the hint that comes after, and a journey
-- through the navigator to another world.
local demo = require("lib.demo")

local magic_play = {}

-- The sound each magic plays as it is cast.
local sound = {
  fire = "sounds/fire_magic.wav",
  health = "sounds/health_magic.wav",
  invisibility = "sounds/invisible_magic.wav",
  rainbow = "sounds/rainbow_magic.wav",
  through_space = "sounds/space_magic.wav",
  through_time = "sounds/time_magic.wav",
}

local function ready(id) return select(5, magic(id)) end

-- Once the magic's button has refilled, chooses it and clicks it: the magic
-- must be cast (its sound, its button emptied).
function magic_play.cast(id)
  tick_until(function() return ready(id) end, 400, id .. "'s button refilled")
  local heard = #sounds()
  demo.cast(id)
  assert(sounds()[heard + 1] == sound[id], id .. " sounds " .. tostring(sounds()[heard + 1]))
  assert(not ready(id), id .. "'s button is emptied")
end

-- Until the scene plays again: a magic's picture, a fade or a hint holds it.
function magic_play.settle()
  tick_until(function() return not select(4, scene()) end, 300, "the scene playing again")
end

-- Waits for the hint that says `words`, and closes it with a click.
function magic_play.hint(words, limit)
  tick_until(function() return window("hint") == "shown" end, limit or 200, "the hint: " .. words)
  assert(text("hint_text") == words, "the hint says: " .. tostring(text("hint_text")))
  click(400, 100)
  tick(1)
  assert(window("hint") == nil, "the hint closed")
end

-- Through space on the Vethra: the cast opens the chooser, whose buttons
-- show once it has faded in; `button` is clicked ("btn_through_vethra" or
-- "btn_through_space").
local function choose(button)
  tick_until(function() return vethra().chooser_buttons == 2 end, 200, "the chooser's buttons")
  demo.click_on(button)
end

-- Casts the journey `id` (through_space or through_time), checks that its
-- selection offers exactly `offered` (world ids, in order), clicks the
-- button at `x` of the selection's row and waits for the journey's end.
-- On the Vethra, through space goes by its chooser.
function magic_play.journey(id, offered, x)
  magic_play.cast(id)
  assert(select(4, scene()), "the journey holds the scene")
  if vethra().chooser then choose("btn_through_space") end
  tick_until(function() return navigator() == 8 end, 400, "the worlds to choose from")
  local worlds = select(3, navigator())
  assert(table.concat(worlds, " ") == table.concat(offered, " "), "offered: " .. table.concat(worlds, " "))
  click(x, 520)
  assert(navigator() == 9, "on the way")
  tick_until(function() return navigator() == nil end, 400, "the journey's end")
  assert(not select(4, scene()), "the new world plays")
end

-- Across the Vethra by its map: through space, the chooser's way across,
-- the globe turned to the map's part of the scene `id` ("part_column_row"),
-- its cell chosen and the travel button on it clicked; until that scene
-- plays. The grid's cells come from game_screen's vethra_map.
function magic_play.across(id)
  local part, column, row = id:match("^(%d)_(%d)_(%d)$")
  part, column, row = tonumber(part), tonumber(column), tonumber(row)
  magic_play.cast("through_space")
  choose("btn_through_vethra")
  tick_until(function() return vethra().map == 2 end, 100, "the map for travel")
  assert(vethra().grid_active, "the map's grid is live")
  for _ = 1, 4 do
    if vethra().part == part then break end
    demo.click_on("btn_globe_rotation_right")
    tick_until(function() return vethra().fade >= 1 end, 60, "the part faded in")
  end
  assert(vethra().part == part, "the map shows part " .. vethra().part)
  local x, y = 250 + 100 * column + 50, 150 + 80 * row + 40
  click(x, y)
  assert(vethra().grid == 1, "the cell chosen")
  click(x, y) -- the travel button stands on it
  assert(vethra().map == 4, "the map leaves for the journey")
  demo.wait_active(id)
end

return magic_play
