-- Steps shared by the scenarios that play the bundled demo.
local demo = {}

-- A click on the middle of the named window.
function demo.click_on(name)
  local x, y, w, h = window_rect(name)
  assert(x, name .. ": no such window")
  click(x + math.floor(w / 2), y + math.floor(h / 2))
end

-- The first start asks for the player's name over the title: answers it
-- with `name` ("Player" by default) and OK, so that the saves belong to that
-- player. Scenarios that click the title themselves take this step first.
function demo.enter_name(name)
  assert(top_modal() == "entername", "the first-start window is not open: " .. tostring(top_modal()))
  demo.click_on("nameedit")
  type_text(name or "Player")
  demo.click_on("btn_Ok")
  assert(top_modal() == "mainmenu", "the name was not taken: " .. tostring(text("entername_note")))
end

-- From the main menu's first frame (the first-start window answered when it
-- is open): "New game", then until the first scene has faded in.
function demo.start_new_game()
  if top_modal() == "entername" then demo.enter_name() end
  tick(10)
  click(110, 282)
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

-- Until the scene `id` is on screen and playing (fades are 35 ticks).
function demo.wait_active(id, limit)
  tick_until(function() return scene() == id and select(2, scene()) == 1 end, limit or 400, id)
end

-- Closes every hint window that is open, as a player does (OK on a big one
-- once it has slid up into sight, a click on the others), until the scene
-- plays again.
function demo.close_hints()
  local calm = 0
  for _ = 1, 1200 do
    if window("hint") == "shown" then
      calm = 0
      local x, y, w, h = window_rect("hint_ok")
      if not x then
        click(400, 100)
      elseif y + h <= 600 then
        click(x + math.floor(w / 2), y + math.floor(h / 2))
      end
    elseif not select(4, scene()) then
      calm = calm + 1
      if calm == 5 then return end
    end
    tick(1)
  end
  error("hints still open", 2)
end

-- Through the scene picker to the scene `id` of the world `world`, as the
-- picker goes there (into the world, then to the scene, the scene on screen
-- fading out); returns once the picker has closed.
function demo.go_to(world, id)
  game_lua("DoModal('scripts/pickscene.lua')")
  assert(top_modal() == "pickscene", "the picker did not open")
  local w = 0
  while true do
    game_lua("ShowScenes(" .. w .. ")")
    if text("world_name") == world then break end
    w = w + 1
    assert(w < 16, "no world " .. world)
  end
  local s = 0
  while text("scene" .. s) ~= id do
    s = s + 1
    assert(window("scene" .. s) == "shown", "no scene " .. id .. " in " .. world)
  end
  game_lua("GoToScene(" .. s .. ")")
  assert(top_modal() == "thegame", "the picker stayed open")
end

-- The game events sent after the first n, joined with ", ".
function demo.events_since(n)
  local all, out = events(), {}
  for i = n + 1, #all do out[#out + 1] = all[i] end
  return table.concat(out, ", ")
end

-- From the living room as a new game starts it: through the hall and the
-- study into the gallery. The parlour lies behind its far door.
function demo.go_to_gallery()
  click(670, 300)
  demo.wait_active("hall")
  click(270, 300)
  demo.wait_active("study")
  click(195, 300)
  demo.wait_active("gallery")
end

-- Whether some pixel of the rectangle x0..x1, y0..y1 of the last frame is
-- darker than `limit` in each channel (ink on a page).
function demo.any_dark(x0, y0, x1, y1, limit)
  for y = y0, y1, 2 do
    for x = x0, x1, 2 do
      local r, g, b = pixel(x, y)
      if r < limit and g < limit and b < limit then return true end
    end
  end
  return false
end

-- The gift of travel: the mission that earns the six magics and opens the
-- worlds. Its results only mark the magics earned; the panel shows them when
-- it next unlocks, so the local menu is opened and left, and the buttons
-- come 40 panel ticks later.
function demo.unlock_magics()
  set_flag("gift_of_travel", "true")
  key("escape")
  demo.click_on("btn_Resume")
  tick_until(function() return select(5, magic("through_time")) end, 60, "the magic buttons")
end

-- Screen points of the magic control (content/scripts/game.lua): the
-- selectors in two rows of three, and the big button of the chosen magic.
local magic_order = {fire = 0, health = 1, invisibility = 2, rainbow = 3, through_space = 4, through_time = 5}

function demo.select_magic(id)
  local i = magic_order[id]
  click(8 + 28 * (i % 3) + 13, 500 + 44 + 28 * math.floor(i / 3) + 13)
end

-- Chooses the magic and clicks its big button.
function demo.cast(id)
  demo.select_magic(id)
  click(128, 550)
end

return demo
