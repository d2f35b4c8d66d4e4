-- Fishing until the key fish is landed: a strike during a bite may catch
-- the fish into the basket; one while the float merely rests never does.
-- Done with the key fish wins: the flag, an empty basket, and once the
-- screen is dark the boathouse key in the hand at the pier, where it opens
-- the boathouse.

local fishing = require("lib.fishing")
local demo = require("lib.demo")
fishing.enter()

local empty_seen = false
for cast = 1, 60 do
  if minigame().key == 1 then break end
  if panel().fishing.items[9] then fishing.clear() end -- a full basket refuses casts
  fishing.cast()
  if minigame().state == 3 and not empty_seen then
    -- A resting float: the strike comes up empty.
    local before = #sounds()
    click(400, 300)
    local m = minigame()
    assert(m.state == 6 and m.rod_state == "catch_none" and m.ft == 0, m.rod_state)
    local played = sounds()
    assert(#played == before + 1 and played[#played]:find("hool_empty", 1, true), played[#played])
    empty_seen = true
    fishing.wait_home()
  else
    fishing.wait_state(4)
    fishing.strike()
  end
end
assert(empty_seen, "no resting float in sixty casts")
assert(minigame().key == 1, "no key fish in sixty casts")
assert(fishing.basket():find("fishing_crucian_key", 1, true), fishing.basket())

fishing.done()
assert(flag("fish_key") == "true")
assert(flag("fish_none") == "null")
assert(fishing.basket() == "-,-,-,-,-,-,-,-,-", fishing.basket())
assert(held() == nil, "nothing in the hand before the screen is dark")
demo.wait_active("pier")
assert(held() == "pier_key", tostring(held()))
local before = reports()
click(140, 320)
tick(30)
assert(select(2, item("boathouse")) == "stOpened")
assert(item("oar") == "oar", "what lay inside shows")
assert(reports() == before, "no complaint about the key")
