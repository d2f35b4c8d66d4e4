-- An autosave asked for through the game window is written on its next
-- heartbeat into slot 0, named "Autosave", without a message.

-- Ticks until `done()` holds; fails after `limit` ticks.
local function tick_until(done, limit, what)
  for _ = 1, limit do
    if done() then return end
    tick(1)
  end
  assert(done(), what .. ": not within " .. limit .. " ticks")
end

local function start_new_game()
  tick(10)
  click(110, 282)
  tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
  tick_until(function() return select(2, scene()) == 1 end, 100, "the scene's fade-in")
end

start_new_game()
assert(save_document() == "<save_data></save_data>")
autosave()
autosave() -- twice in one tick: one save
assert(save_document() == "<save_data></save_data>", "not before the heartbeat")
tick(1)
local doc = save_document()
local _, saves = doc:gsub("<save ", "")
assert(saves == 1, doc)
assert(doc:find('<save save_name="Autosave" ind="0">', 1, true), doc)
assert(doc:find('<current_scene id="living_room"/>', 1, true), doc)
tick(1)
assert(window("popup") == nil, "saved silently")
