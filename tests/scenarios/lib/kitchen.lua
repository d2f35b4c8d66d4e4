-- Steps shared by the kitchen game's scenarios: the way in (with the cook
-- book in the main inventory or not), the screen points of the kitchen's
-- things, making each dish in the mixer and the panel's buttons.
local demo = require("lib.demo")
local nursery = require("lib.nursery")
local pn = require("lib.panel")
local kitchen = {}

kitchen.at = {
  mixer = {580, 360},
  salad_plate = {540, 200},
  stew_plate = {680, 200},
  tart_plate = {710, 340},
  board = {420, 400},
  board_cut = {290, 345},
  onion = {170, 490},
  knife = {250, 490},
  tomato = {320, 490},
  carrot = {140, 80},
  potato = {200, 80},
  water = {260, 80},
  cherry = {320, 80},
  flour = {380, 80},
  spoon = {450, 80},
  cook_book = {625, 480},  -- in the nursery
}

function kitchen.click(name)
  local p = kitchen.at[name]
  click(p[1], p[2])
end

-- A new game walked into the kitchen, the book first taken into the first
-- cell of the main inventory when asked; the tutorial closed.
function kitchen.enter(with_book)
  demo.start_new_game()
  nursery.go_to_nursery()
  if with_book then
    kitchen.click("cook_book")
    assert(held() == "kitchen_cook_book", tostring(held()))
    pn.click_cell(0)
    assert(held() == nil, "the book went into the inventory")
  end
  nursery.go_to_kitchen()
  nursery.close_cook_tutorial()
end

-- The named thing taken from the kitchen and put into the mixer.
function kitchen.put(name)
  kitchen.click(name)
  assert(held() == name, name .. ": " .. tostring(held()))
  kitchen.click("mixer")
  assert(held() == nil, name .. " went into the mixer")
end

-- A product the player already has, put into the mixer.
function kitchen.give_in(name)
  give(name)
  kitchen.click("mixer")
  assert(held() == nil, name .. " went into the mixer")
end

-- The spoon stirs what the mixer holds and goes back to its place.
function kitchen.stir()
  kitchen.click("spoon")
  assert(held() == "spoon", tostring(held()))
  kitchen.click("mixer")
  kitchen.click("spoon")
  assert(held() == nil, "the spoon back in its place")
end

function kitchen.done() demo.click_on("btn_done") end
function kitchen.clear() demo.click_on("btn_cook_clear") end

function kitchen.bar() return minigame().curval end
function kitchen.stage(plate)
  local p = minigame().plates[plate]
  return p and p.cs
end

-- The small hint closes with a click anywhere.
function kitchen.close_hint()
  click(400, 100)
  assert(window("hint") ~= "shown", "the hint closed")
end

-- Ticks until the kitchen's running time reaches `time`, closing every
-- hint that opens meanwhile. A running tick adds one to the time and a hint
-- holds it, so the time never passes `time`.
function kitchen.run_until(time)
  for _ = 1, 100 do
    local now = minigame().time
    if now >= time then return end
    if window("hint") == "shown" then kitchen.close_hint() end
    tick(time - now)
  end
  error("the kitchen's time never reached " .. time)
end

-- The played kitchen, from the nursery: a plain room on the common panel
-- with no game and no clock, showing what the game left on the counter
-- (`look`: "won", the three dishes; "lost", the burnt pot), whose door on
-- the left leads back to the nursery.
local counter = {
  won = {x = 300, y = 402, rgb = {60, 220, 60}},   -- the salad
  lost = {x = 450, y = 400, rgb = {40, 32, 24}},   -- the burnt pot
}
kitchen.door = {60, 300}
function kitchen.played(look)
  local lost_before = flag("cook_lost")
  nursery.go_to_kitchen()
  local _, _, index = scene()
  assert(minigame() == nil and panel().kind == 0, "a plain room, state " .. tostring(index))
  local c = counter[look]
  local r, g, b = pixel(c.x, c.y)
  assert(r == c.rgb[1] and g == c.rgb[2] and b == c.rgb[3], look .. " on the counter: " .. r .. "," .. g .. "," .. b)
  r, g, b = pixel(40, 200)
  assert(r == 107 and g == 74 and b == 43, "the door: " .. r .. "," .. g .. "," .. b)
  tick(200)
  assert(flag("cook_lost") == lost_before, "no clock runs in the played kitchen")
  move(kitchen.door[1], kitchen.door[2])
  tick(1)
  assert(pointer() == "stBoots", "the door is a way out: " .. tostring(pointer()))
  click(kitchen.door[1], kitchen.door[2])
  demo.wait_active("nursery")
end

return kitchen
