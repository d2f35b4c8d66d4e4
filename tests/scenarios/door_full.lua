-- A game entered with the ring in the hand and no free cell in the main
-- inventory: the ring goes back to the attic, where it was found, and
-- lies there to be taken again. Nothing the player carried is lost.
local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
demo.close_hints()
local things = {}
for _, name in ipairs({"silver_coin", "tin_medal", "sun_disc", "pier_key", "herb_bundle", "feast_token",
  "tower_key", "bent_coin", "fishing_rod", "key", "coin", "feather", "shell", "stick", "rope", "chalk",
  "token"}) do
  if #things < #panel().main.items then things[#things + 1] = name end
end
assert(#things == #panel().main.items, "one thing a cell")
for i, name in ipairs(things) do
  while panel().main.first + 5 < i do
    pn.click("arrow_right")
    tick(1)
  end
  give(name)
  pn.click_cell(i - 1 - panel().main.first)
  assert(held() == nil, name .. " kept")
end
give("ring")
local before = reports()
go("tavern_cards")
assert(held() == nil, "the table starts with an empty hand")
assert(reports() > before, "the full inventory is reported")
assert(registry("ring") == 0, "the ring's record: " .. tostring(registry("ring")))
for i, name in ipairs(things) do assert(panel().main.items[i] == name, "cell " .. i) end
go("attic")
assert(item("ring") == "ring", "the ring lies in the attic again")
