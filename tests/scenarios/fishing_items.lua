-- The player's ring, held on entering the fishing game, goes to the main
-- inventory and stays there through a lost and a won game: the panel, the
-- items registry and a save all say so. A fish taken from the basket into
-- the hand is the game's own: the end uses it up, whatever the end gives.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
local pn = require("lib.panel")

local function ring_kept(items, when)
  assert(pn.items() == items, pn.items() .. " " .. when)
  assert(registry("ring") == 2, tostring(registry("ring")) .. " " .. when) -- in an inventory
  key("t")
  tick(1)
  local doc = save_document():match('<save save_name="Quick save".-</save>')
  assert(doc, "no quick save " .. when)
  assert(doc:find('<main_inventory first_cell="0">%s*<cell0 item_id="ring"/>'), "the saved panel " .. when)
  assert(doc:find('<ring a0="2"/>', 1, true), "the saved registry " .. when)
  for name in doc:gmatch('"(fishing_[%w_]+)"') do
    assert(name == "fishing_rod", name .. " saved " .. when)
  end
end

-- Catches a fish and takes the basket's first one into the hand.
local function fish_in_hand()
  for _ = 1, 40 do
    if panel().fishing.items[1] then break end
    fishing.cast()
    if minigame().state == 3 then fishing.wait_state(4) end
    fishing.strike()
  end
  local fish = panel().fishing.items[1]
  assert(fish, "nothing caught in forty casts")
  pn.click_cell(0)
  assert(held() == fish, tostring(held()))
  return fish
end

-- Lost: the first visit's done button gives up.
demo.start_new_game()
give("ring")
go("pier_fishing")
assert(held() == nil, "the game starts with an empty hand")
assert(pn.items() == "ring" and registry("ring") == 2, pn.items())
fish_in_hand()
fishing.clear() -- should that fish have been the key, the key is forgotten
fishing.done()
assert(flag("fish_none") == "true")
assert(held() == nil, "the fish is used up at the end")
demo.wait_active("pier")
assert(held() == "fishing_rod", tostring(held()))
ring_kept("ring", "after the lost game")

-- Won: the ring taken into the hand again, the rod put down first.
pn.click_cell(1)
pn.click_cell(0)
assert(held() == "ring", tostring(held()))
assert(pn.items() == "-,fishing_rod", pn.items())
go("pier_fishing")
assert(held() == nil and pn.items() == "ring,fishing_rod", pn.items())
assert(fishing.until_key(), "no key fish")
fish_in_hand()
fishing.done()
assert(flag("fish_key") == "true")
assert(held() == nil, "the fish is used up at the end")
demo.wait_active("pier")
assert(held() == "pier_key", tostring(held()))
ring_kept("ring,fishing_rod", "after the won game")
