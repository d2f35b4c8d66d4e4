-- The harbour is reached from the pier and left from each of its states.
-- The pier's boardwalk, the harbour's boardwalk back and the tower's steps
-- are drawn where a player sees them (above the panel), the pointer turns
-- to boots over each, and a click goes through. The stair up to the
-- catapult leads to its game before it is played, and to the view from the
-- tower after it, saved or burnt.
local demo = require("lib.demo")
demo.start_new_game()
demo.close_hints()

local function near(x, y, colour)
  local r, g, b = pixel(x, y)
  return math.abs(r - colour[1]) + math.abs(g - colour[2]) + math.abs(b - colour[3]) < 30
end
local PLANKS, SIGN, STEPS = {0x8a, 0x6a, 0x44}, {0xd8, 0xc8, 0xa0}, {0x8a, 0x80, 0x70}

-- The way drawn at every point of `points`, boots over the first, and a
-- click there into `to`.
local function through(points, colour, to, what)
  tick(2)
  for _, p in ipairs(points) do
    assert(near(p[1], p[2], colour), what .. ": not drawn at " .. p[1] .. "," .. p[2])
  end
  local x, y = points[1][1], points[1][2]
  move(x, y)
  tick(2)
  assert(pointer() == "stBoots", what .. ": the pointer is " .. tostring(pointer()))
  click(x, y)
  demo.wait_active(to)
end

local function pier_to_harbour()
  tick(2)
  assert(near(300, 392, SIGN), "the pier's sign")
  through({{150, 472}, {40, 470}, {280, 485}}, PLANKS, "harbour", "the pier's boardwalk")
end

local function harbour_to_pier()
  tick(2)
  assert(near(600, 416, SIGN), "the harbour's sign")
  through({{700, 480}, {600, 488}, {780, 460}}, PLANKS, "pier", "the harbour's boardwalk")
end

go("pier")
pier_to_harbour()
assert(select(3, scene()) == 2, "the harbour before its game")
-- The stair leads up to the game.
move(700, 300)
tick(2)
assert(pointer() == "stBoots", "the stair: " .. tostring(pointer()))
click(700, 300)
tick_until(function() return scene() == "harbour_catapult" end, 100, "the catapult")
tick_until(function() return top_modal() == "catapult_tutorial" end, 100, "the catapult's tutorial")
demo.click_on("catapult_tutorial_ok")
go("harbour")
harbour_to_pier()

-- Saved, then burnt: the way back to the pier, and up to the view and down.
for i, ending in ipairs({{"harbour_saved", "true"}, {"harbour_burnt", "true"}}) do
  set_flag("harbour_saved", "null")
  set_flag(ending[1], ending[2])
  pier_to_harbour()
  assert(select(3, scene()) == i - 1, ending[1] .. ": the harbour's state " .. select(3, scene()))
  harbour_to_pier()
  pier_to_harbour()
  move(700, 300)
  tick(2)
  click(700, 300)
  demo.wait_active("harbour_catapult")
  assert(select(3, scene()) == 1 and minigame() == nil, ending[1] .. ": the tower is a view")
  through({{400, 470}, {340, 456}, {460, 496}}, STEPS, "harbour", ending[1] .. ": the tower's steps")
  harbour_to_pier()
end
assert(reports() == 0, reports() .. " report line(s)")
