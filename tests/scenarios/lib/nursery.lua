-- Steps shared by the scenarios of the nursery and the kitchen.
local demo = require("lib.demo")
local nursery = {}

-- From the living room as a new game starts it: through the hall and the
-- study into the nursery.
function nursery.go_to_nursery()
  click(670, 300)
  demo.wait_active("hall")
  click(270, 300)
  demo.wait_active("study")
  click(485, 250)
  demo.wait_active("nursery")
end

-- From the nursery through its far door into the kitchen. While its game
-- is on the kitchen has no door back: the way out is a jump, with the hand
-- kept.
function nursery.go_to_kitchen()
  click(740, 300)
  demo.wait_active("kitchen")
end

function nursery.back_to_nursery()
  go("nursery")
end

-- The kitchen game's tutorial opens 40 running ticks after a fresh start
-- and holds the game until it is closed.
function nursery.close_cook_tutorial()
  tick_until(function() return top_modal() == "cook_tutorial" end, 120, "the cooking tutorial")
  assert(minigame().paused == 1, "the tutorial holds the kitchen")
  demo.click_on("cook_tutorial_ok")
  tick_until(function() return top_modal() ~= "cook_tutorial" end, 10, "the tutorial closed")
  assert(minigame().paused == 0, "the kitchen runs")
end

-- The items registry's numbers for the item, joined with ","; registry()
-- gives nil past the end of the list.
function nursery.registry(name)
  local out = {}
  for i = 0, 7 do
    local v = registry(name, i)
    if v == nil then break end
    out[#out + 1] = tostring(v)
  end
  return table.concat(out, ",")
end

return nursery
