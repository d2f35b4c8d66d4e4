-- The first chapter played through: the coin and the light complete the
-- first two missions, the way up and the ring the third, whose results open
-- its page, set the chapter's variable, show its hint and save the game.

local function wait_active(id)
  tick_until(function() return scene() == id and select(2, scene()) == 1 end, 400, id)
end

-- Closes every hint window that is open (OK on a big one, a click on the
-- others) until the scene plays again.
local function close_hints()
  local calm = 0
  for _ = 1, 1200 do
    if window("hint") == "shown" then
      calm = 0
      game_lua("if onHintOkClick then onHintOkClick() end")
      if window("hint") == "shown" then click(400, 100) end
    elseif not select(4, scene()) then
      calm = calm + 1
      if calm == 5 then return end
    end
    tick(1)
  end
  error("hints still open")
end

tick(10)
click(110, 282)
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")

click(500, 420) -- the coin
close_hints()
click(115, 240) -- the light
assert(mission("light_the_house") and mission("the_house_is_lit"))
close_hints()
wait_active("living_room")
click(400, 200) -- the coin back in its place
assert(held() == nil)

click(670, 300) -- to the hall
wait_active("hall")
assert(task("find_the_way_up") == false)
click(600, 300) -- up the stairs
wait_active("attic")
assert(task("find_the_way_up") == true, "entering the attic is the way up")
assert(mission("the_attic_treasure") == false)

click(568, 440) -- the ring's band
assert(held() == "ring")
assert(mission("the_attic_treasure") == true)
assert(page(5) == 1)
assert(flag("chapter_one_done") == "true")
tick(1)
local doc = save_document()
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<chapter_one_done value="true"/>', 1, true), "saved with the chapter done")
assert(window("popup") == "shown")
assert(window("hint") == "shown", "the chapter's hint")
