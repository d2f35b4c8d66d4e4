-- The end of a chapter of the demo story: a quick save, a quit to the main
-- menu and a load of that save through the title's load window must bring
-- back the very game that was saved.
local demo = require("lib.demo")
local story = {}

-- The scenarios' own folder, from the path `require` searches.
local here = package.path:match("^(.-)/%?%.lua")

-- Where the chapter saves are kept; TOLVANE_WRITE_FIXTURES set to anything
-- makes the story write them afresh.
story.fixtures = here .. "/../fixtures/saves"

-- A value as text with its table keys in order, so that two snapshots taken
-- apart compare as strings.
local function dump(v)
  if type(v) ~= "table" then return tostring(v) end
  local keys = {}
  for k in pairs(v) do keys[#keys + 1] = k end
  table.sort(keys, function(a, b) return tostring(a) < tostring(b) end)
  local out = {}
  for _, k in ipairs(keys) do out[#out + 1] = tostring(k) .. "=" .. dump(v[k]) end
  return "{" .. table.concat(out, ",") .. "}"
end

-- The quick-save slot of a save document, without what moves on once the
-- game plays again: the time left on the timers that run and how far an
-- indicator has faded in.
local function quick_slot(doc)
  local slot = doc:match('<save save_name="Quick save" ind="1".-</save>')
  assert(slot, "no quick save in " .. doc)
  slot = slot:gsub('(state="0" left_time=")%d+"', '%1"')
  return (slot:gsub('(<%w+ iit="%d+") alpha="%d+"', '%1'))
end

-- The timers without the time left on those that run, and those times.
local function timer_state()
  local all, running = timers(), {}
  for name, t in pairs(all) do
    if t.state == 0 then running[name], t.left = t.left, nil end
  end
  return dump(all), running
end

local function snapshot()
  local name = scene()
  local timers_now, running = timer_state()
  return {scene = name, held = tostring(held()), panel = dump(panel()), timers = timers_now}, running
end

-- A cast magic's button refills on the panel's clock, which runs on while
-- a load shows the scene again: a chapter is saved once every unlocked
-- magic is ready, as a player waits for it.
local magics = {"fire", "health", "invisibility", "rainbow", "through_space", "through_time"}
local function magics_ready()
  for _, id in ipairs(magics) do
    local value, _, _, _, ready = magic(id)
    if value == 2 and not ready then return false end
  end
  return true
end

-- Quick save and the state it should bring back.
local function quick_save()
  tick_until(magics_ready, 1000, "the magics refilled")
  demo.close_hints()
  key("t")
  tick(1)
  return quick_slot(save_document()), snapshot()
end

-- The ticks played while `f` runs.
local function counting(f)
  local plain, count = tick, 0
  tick = function(n)
    count = count + (n or 1)
    plain(n)
  end
  f() -- a failure ends the scenario, so no pcall (nor can tick yield through one)
  tick = plain
  return count
end

function story.path(n)
  return story.fixtures .. "/chapter-" .. n .. ".xml"
end

-- Saves, quits to the title, loads the quick save from there and checks
-- that scene, hand, items, variables, panel, missions and timers are back.
function story.chapter_end(n)
  local saved, before, running = quick_save()
  if os.getenv("TOLVANE_WRITE_FIXTURES") then
    local f = assert(io.open(story.path(n), "wb"))
    f:write(save_document())
    f:close()
  end
  tick(130) -- the "Game saved" message goes
  key("escape")
  demo.click_on("btn_MainMenu")
  tick_until(function() return top_modal() == "mainmenu" end, 200, "the main menu")
  tick(10)
  demo.click_on("btn_Load")
  tick(10) -- the panel slides in
  assert(top_modal() == "loadmenu", "the load window: " .. tostring(top_modal()))
  local slot
  for i = 0, 4 do
    if text("load" .. i) == "Quick save" then slot = "load" .. i end
  end
  assert(slot, "no quick save listed")
  local again, after, running_after
  local played = counting(function()
    demo.click_on(slot)
    demo.click_on(slot)
    tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
    demo.wait_active(before.scene)
    again, after, running_after = quick_save()
  end)
  for name, left in pairs(running) do
    local now = running_after[name]
    assert(now and now <= left and now >= left - played,
           "chapter " .. n .. ": timer " .. name .. " had " .. left .. " left, has " .. tostring(now))
  end
  for k, v in pairs(before) do
    assert(after[k] == v, "chapter " .. n .. ": " .. k .. " was " .. v .. ", is " .. after[k])
  end
  assert(again == saved, "chapter " .. n .. ": the loaded game saves otherwise:\n" .. saved .. "\n" .. again)
  tick(130)
end

return story
