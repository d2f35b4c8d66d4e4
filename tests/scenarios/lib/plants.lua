-- Steps shared by the plants scenarios, on the demo's herb_garden_plants:
-- the plan asks for mint, sage and fern; the beds hold these and three
-- others (content/cfg/items_guide.xml has their places).
local demo = require("lib.demo")
local panel_points = require("lib.panel")
local plants = {}

plants.at = {
  mint = {140, 420}, sage = {240, 430}, fern = {350, 415},
  nettle = {470, 425}, clover = {580, 420}, thyme = {680, 430},
}

-- A new game with the plan in the first cell of the main inventory.
function plants.start_with_plan()
  demo.start_new_game()
  give("herb_plan")
  panel_points.click_cell(0)
  assert(panel().main.items[1] == "herb_plan", "the plan stored")
end

-- Into the game; its tutorial, once it opens, closed again.
function plants.enter()
  go("herb_garden_plants")
  assert(panel().kind == 11, "the plants panel")
end

function plants.close_tutorial()
  tick_until(function() return top_modal() == "plants_tutorial" end, 60, "the tutorial")
  demo.click_on("plants_tutorial_ok")
  tick_until(function() return top_modal() == "thegame" and not select(4, scene()) end, 60, "the game again")
end

-- A plant from the beds into the plants inventory's cell j (0 to 5).
function plants.store(name, j)
  click(plants.at[name][1], plants.at[name][2])
  assert(held() == name, "took " .. name .. ", holds " .. tostring(held()))
  panel_points.click_cell(j)
  assert(held() == nil, name .. " stored")
end

-- The alpha of a goal's icon by the plant's name.
function plants.alpha(name)
  for _, goal in ipairs(minigame()) do
    if goal.name == name then return goal.alpha end
  end
  error("no goal " .. name, 2)
end

-- The panel's note button, clicked.
function plants.show_plan()
  demo.click_on("plants_note_button")
end

return plants
