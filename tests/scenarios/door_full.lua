-- A game's door with every cell of the main inventory full stays shut:
-- the player stays where they were, with what the hand holds, and is told
-- so on screen. The door would have had to send the tower key back to a
-- scene, and the key, a prize, lies in none: nothing the player carries is
-- lost. The fire magic cast over the key is not put out there either, and
-- gives the key back as it goes out by itself. Once a cell is free the
-- board is entered and left, and the key is kept; entered with the fire in
-- the hand, the fire goes out at the door, its flag reads "false", and the
-- key it was cast over is put away with nothing reported.
local demo = require("lib.demo")
local magic = require("lib.story_magic")
local keep = require("lib.keep")
local pn = require("lib.panel")

demo.start_new_game()
demo.close_hints()
demo.unlock_magics()
local things = {}
for _, name in ipairs({"silver_coin", "tin_medal", "sun_disc", "pier_key", "herb_bundle", "feast_token", "chalk",
  "bent_coin", "fishing_rod", "key", "coin", "feather", "shell", "stick", "rope", "token"}) do
  if #things < #panel().main.items then things[#things + 1] = name end
end
assert(#things == #panel().main.items and things[11] == "coin", "one thing a cell")
for i, name in ipairs(things) do
  while panel().main.first + 5 < i do
    pn.click("arrow_right")
    tick(1)
  end
  give(name)
  pn.click_cell(i - 1 - panel().main.first)
  assert(held() == nil, name .. " kept")
end
go("tower")

-- Up the stair (at 540, 120; 160 by 300) to the mirror board.
local function shut(hand)
  local before = reports()
  click(620, 300)
  tick(1)
  demo.wait_active("tower")
  assert(held() == hand, "the hand holds " .. tostring(held()))
  assert(window("popup") == "shown" and text("popup_text") == "Make room in your bag first",
    "the player is told: " .. tostring(text("popup_text")))
  assert(reports() > before, "reported")
  for i, name in ipairs(things) do assert(panel().main.items[i] == name, "cell " .. i) end
end

give("tower_key")
shut("tower_key")
assert(registry("tower_key") == 1, "the key's record: " .. tostring(registry("tower_key")))

magic.cast("fire")
assert(flag("__fire_magic_saved_item") == "tower_key")
magic.settle()
shut("fire_magic_item")
assert(flag("fire_on") == "true", "the fire burns on")
tick_until(function() return held() == "tower_key" end, 300, "the fire out and the key back")
assert(flag("fire_on") == "false")

-- A cell made free: the key swapped for the coin, which goes back to the
-- living room where it was found; the key taken again.
go("living_room")
keep.click_cell("coin")
assert(held() == "coin", tostring(held()))
click(400, 100)
assert(held() == nil and registry("coin") == 0, "the coin back in its place")
demo.close_hints() -- a word on the coin
keep.click_cell("tower_key")
assert(held() == "tower_key", tostring(held()))

go("tower")
click(620, 300)
demo.wait_active("tower_mirrors")
assert(held() == nil, "the board starts with an empty hand")
game_lua("onDoneClick()") -- no mirror laid: lost
tick_until(function() return flag("mirrors_lost") == "true" end, 100, "the loss")
demo.wait_active("tower")
keep.in_inventory("tower_key", "the board left")

keep.click_cell("tower_key")
magic.cast("fire")
magic.settle()
local before = reports()
click(620, 300)
demo.wait_active("tower_mirrors")
assert(held() == nil and flag("fire_on") == "false", tostring(held()) .. ", fire_on " .. flag("fire_on"))
assert(reports() == before, "nothing to report")
keep.in_inventory("tower_key", "the fire gone out at the door")
