-- Fishing until the key fish is landed, whenever the game is entered (its
-- random draws are seeded from the clock as it starts): a strike while the
-- float merely rests never catches; a strike during a bite may catch the
-- fish into the basket. Done with the key fish wins: the flag, an empty
-- basket, and once the screen is dark the boathouse key in the hand at the
-- pier, where it opens the boathouse. A won game is not dealt again: the
-- water is only water, the planks lead back, and the key is there once.

local fishing = require("lib.fishing")
local demo = require("lib.demo")

local function win(entry)
  local at = " (entered " .. entry .. " ticks late)"
  demo.start_new_game()
  tick(entry)
  go("pier_fishing")
  local rested, m, sound, count = fishing.strike_resting()
  assert(rested, "no resting float in twenty casts" .. at)
  assert(m.state == 6 and m.rod_state == "catch_none" and m.ft == 0, m.rod_state .. at)
  assert(count == 1 and sound:find("hool_empty", 1, true), tostring(sound) .. at)
  assert(fishing.until_key(), "no key fish" .. at)
  assert(fishing.basket():find("fishing_crucian_key", 1, true), fishing.basket() .. at)

  fishing.done()
  assert(flag("fish_key") == "true" and flag("fish_none") == "null", at)
  assert(fishing.basket() == "", fishing.basket() .. at)
  assert(held() == nil, "nothing in the hand before the screen is dark" .. at)
  demo.wait_active("pier")
  assert(held() == "pier_key", tostring(held()) .. at)
end

-- The frames are not drawn while the entries are played; nothing below
-- reads pixels until the last.
drawing(false)
for entry = 0, 15 do
  win(entry)
  key("escape")
  click(400, 342) -- the local menu's "Main menu"
  tick(1)
  assert(top_modal() == "mainmenu", tostring(top_modal()))
end
drawing(true)
win(16)

local before = reports()
click(140, 320)
tick(30)
assert(select(2, item("boathouse")) == "stOpened")
assert(item("oar") == "oar", "what lay inside shows")
assert(reports() == before, "no complaint about the key")

-- Back at the water after the win: no game, the pier's own panel, and the
-- planks at the bottom lead back to the pier.
click(400, 350)
demo.wait_active("pier_fishing")
assert(minigame() == nil and panel().kind ~= 9, "no fishing after the win")
assert(held() == "pier_key", tostring(held()))
local r, g, b = pixel(400, 480) -- the planks, drawn above the panel
assert(r > b, r .. "," .. g .. "," .. b)
click(400, 480)
demo.wait_active("pier")
assert(reports() == before, reports() - before .. " report line(s)")
