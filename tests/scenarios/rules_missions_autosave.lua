-- Taking the old coin completes the task whose results set a variable and
-- ask for an autosave: the variable is set inside the same event, and on the
-- next heartbeat slot 0 "Autosave" is written and the player is told.

local function start_new_game()
  tick(10)
  click(110, 282)
  repeat tick(1) until top_modal() == "thegame"
  repeat tick(1) until select(2, scene()) == 1
end

local function events_since(n)
  local all, out = events(), {}
  for i = n + 1, #all do out[#out + 1] = all[i] end
  return table.concat(out, ", ")
end

start_new_game()
assert(task("take_the_coin") == false)
local seen = #events()
click(500, 420) -- the coin
assert(held() == "coin")
assert(events_since(seen) == "item_get coin, flag coin_found=true", events_since(seen))
assert(flag("coin_found") == "true")
assert(task("take_the_coin") == true)
assert(mission("light_the_house") == false, "the light is still off")
assert(not save_document():find('save_name="Autosave"', 1, true), "not before the heartbeat")

tick(1)
local doc = save_document()
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<coin_found value="true"/>', 1, true), "saved after the variable was set")
assert(window("popup") == "shown")
assert(text("popup_text") == "Game saved automatically")

-- Complete for good: taking the coin again asks for nothing more.
tick(1)
assert(window("hint") == "shown", "the guide hint on the first coin")
click(400, 100) -- closes it
tick(1)
click(400, 200) -- the coin back to its place
assert(held() == nil)
tick(200)
local saved = save_document()
click(500, 420)
assert(held() == "coin")
tick(2)
assert(save_document() == saved, "no second autosave")
