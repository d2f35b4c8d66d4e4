-- Random play: clicks, drags, the wheel, keys, close requests and time, with
-- now and then a jump to a random scene or a random item in the hand. It
-- looks for crashes, Lua errors from the content, heartbeats over a second
-- and a game that stops answering.
--
-- SEED and STEPS come from the environment; FIRST is the index of the first
-- step (run.sh starts a new game from there when one ends); MONKEY_CONTENT
-- is the content tree played, read for window and item names; MONKEY_STATE,
-- when set, is a file that always holds the index of the step under way, so
-- that a crash still names it.

local seed = tonumber(os.getenv("SEED") or "1") or 1
local steps = tonumber(os.getenv("STEPS") or "1000") or 1000
local first = tonumber(os.getenv("FIRST") or "0") or 0
local content = os.getenv("MONKEY_CONTENT") or "content"
local stateFile = os.getenv("MONKEY_STATE")

-- The scenario helpers live beside the scenarios.
package.path = package.path .. ";" .. package.path:gsub("%?%.lua$", "../scenarios/?.lua")
local demo = require("lib.demo")

-- Park and Miller's minimal generator: its products stay below 2^53, so
-- plain Lua numbers hold them exactly and every seed replays the same run.
local kModulus = 2147483647
local state = (seed * 7919 + first * 104729) % kModulus
if state == 0 then state = 1 end

local function rand(n)
  state = (state * 16807) % kModulus
  return math.floor((state - 1) / (kModulus - 1) * n) + 1
end

local function pick(list)
  return list[rand(#list)]
end

local function chance(percent)
  return rand(100) <= percent
end

local function readAll(pattern)
  local p = io.popen("cat " .. content .. "/" .. pattern .. " 2>/dev/null")
  local text = p:read("*a") or ""
  p:close()
  return text
end

-- Names of windows the content makes, and of the items it knows.
local windows, seen = {}, {}
local function addWindow(name)
  if not seen[name] then
    seen[name] = true
    windows[#windows + 1] = name
  end
end
do
  local scripts = readAll("scripts/*.lua") .. readAll("cfg/game_screen.xml")
  for name in scripts:gmatch('name%s*=%s*"([%a_][%w_]*)"') do addWindow(name) end
  for name in scripts:gmatch('button%("([%a_][%w_]*)"') do addWindow(name) end
  for name in scripts:gmatch('"(btn_[%w_]+)"') do addWindow(name) end
  for i = 0, 39 do addWindow("scene" .. i) end
end
local items = {}
for name in readAll("cfg/items_guide.xml"):gmatch("\n  <([%a_][%w_]*)") do items[#items + 1] = name end
assert(#windows > 0 and #items > 0, "no window or item names under " .. content)

-- The buttons that answer or close the game's dialogs, first the ways out.
local leaveButtons = {"no", "btn_Cancel", "btnBack", "pickscene_close", "tutorial_close", "notice_ok", "hint_ok"}
local answerButtons = {"yes", "btn_Ok", "no", "btn_Cancel", "btnBack", "pickscene_close", "tutorial_close",
                       "notice_ok", "hint_ok"}

local keys = {"t", "x", "escape", "space", "enter", "left", "up", "right", "down", "backspace", "tab"}
local letters = "abcdefghijklmnopqrstuvwxyz"
local keysHeld = {}

local step = first
local state_out = stateFile and io.open(stateFile, "w")
local function note()
  if state_out then
    state_out:seek("set")
    state_out:write(string.format("%12d\n", step))
    state_out:flush()
  end
end

local function fail(what)
  error(string.format("monkey seed %d step %d: %s", seed, step, what), 0)
end

-- A scene on screen, faded in and not paused: the warps leave from there.
local function playing()
  local id, state, _, paused = scene()
  return top_modal() == "thegame" and id ~= nil and state == 1 and not paused
end

-- The centre of a shown window, of an item in the scene, or a random point.
local function target()
  if chance(50) then return rand(800) - 1, rand(600) - 1 end
  -- Over a dialog, its own buttons are worth more than the many windows
  -- hidden behind it.
  local top = top_modal()
  if top ~= "thegame" and top ~= "mainmenu" and chance(50) then
    -- A lesson's OK is named after it.
    local name = chance(25) and tostring(top) .. "_ok" or pick(answerButtons)
    if window(name) == "shown" then
      local x, y, w, h = window_rect(name)
      return x + math.floor(w / 2), y + math.floor(h / 2)
    end
  end
  if chance(25) then
    local name, _, _, x, y = item(pick(items))
    if name and x then return math.floor(x), math.floor(y) end
  end
  for _ = 1, 8 do
    local name = pick(windows)
    if window(name) == "shown" then
      local x, y, w, h = window_rect(name)
      if x and w > 0 and h > 0 then return x + math.floor(w / 2), y + math.floor(h / 2) end
    end
  end
  return rand(800) - 1, rand(600) - 1
end

local function warp()
  local r = rand(3)
  if r == 1 then
    game_lua("DoModal('scripts/pickscene.lua')")
    if top_modal() ~= "pickscene" then return end
    local w = rand(4) - 1
    if window("world" .. w) ~= "shown" then w = 0 end
    game_lua("ShowScenes(" .. w .. ")")
    local shown = {}
    for s = 0, 39 do
      if window("scene" .. s) == "shown" then shown[#shown + 1] = s end
    end
    if #shown == 0 then
      demo.click_on("pickscene_close")
    else
      game_lua("GoToScene(" .. pick(shown) .. ")")
    end
  elseif r == 2 then
    -- A scene of the world being played, by its id.
    -- The picker lists each world's scenes: the world played is the one
    -- that lists the current scene.
    local current, ids = scene(), {}
    game_lua("DoModal('scripts/pickscene.lua')")
    if top_modal() ~= "pickscene" then return end
    for w = 0, 3 do
      if window("world" .. w) == "shown" then
        game_lua("ShowScenes(" .. w .. ")")
        local list, here = {}, false
        for s = 0, 39 do
          if window("scene" .. s) == "shown" then
            list[#list + 1] = text("scene" .. s)
            here = here or list[#list] == current
          end
        end
        if here then ids = list end
      end
    end
    demo.click_on("pickscene_close")
    -- go() waits for the arrival and answers nothing on the way. A game
    -- whose lesson is still to come opens it during the fade-out, and the
    -- jump waits for the player to close it: from a game, the picker's
    -- jump (above) is taken instead.
    -- A game's door stays shut while no cell of the main inventory is free
    -- for what the hand holds, and go() fails then: no jump is tried so.
    if #ids > 0 and playing() and minigame() == nil then
      local room = not held()
      for _, name in ipairs(panel().main.items) do room = room or not name end
      if room then go(pick(ids)) end
    end
  elseif #items > 0 then
    -- Some items live only in their scenes and cannot be made for the hand;
    -- give does not yield, so it can be tried. An item the game already
    -- keeps somewhere is not made twice: no player holds two of one item.
    local i = rand(#items)
    if registry(items[i]) == nil and not pcall(give, items[i]) then table.remove(items, i) end
  end
end

local function act()
  local r = rand(1000)
  if r <= 400 then
    local x, y = target()
    click(x, y)
  elseif r <= 460 then
    local x, y = target()
    click(x, y, "right")
  elseif r <= 520 then
    local x, y = target()
    press(x, y)
    for _ = 1, rand(4) do
      move(rand(800) - 1, rand(600) - 1)
      tick(1)
    end
    release(rand(800) - 1, rand(600) - 1)
  elseif r <= 560 then
    local x, y = target()
    move(x, y)
    wheel(rand(7) - 4)
  elseif r <= 700 then
    key(pick(keys))
  elseif r <= 760 then
    local i = rand(#letters)
    key(letters:sub(i, i))
  elseif r <= 820 then
    local k = pick({"left", "right", "up", "down", "space"})
    if keysHeld[k] then
      key_up(k)
      keysHeld[k] = nil
    else
      key_down(k)
      keysHeld[k] = true
    end
  elseif r <= 823 then
    -- Seldom: most requests end the game, and play is what is tested.
    close_request()
  else
    tick(rand(60))
  end
end

print(string.format("monkey: seed %d, steps %d to %d, content %s", seed, first, steps - 1, content))
io.stdout:flush()

tick(5)
if top_modal() == "entername" then demo.enter_name() end
-- Random clicks seldom find "New game", and most of the game lies past it:
-- a game starts at once, mostly, and again after a while in the main menu.
local function newGame()
  if top_modal() == "entername" then demo.enter_name() end
  tick(10)
  demo.click_on("btn_NewGame")
  for _ = 1, 400 do
    if top_modal() == "thegame" then break end
    tick(1)
  end
end
if chance(90) then newGame() end
local inMenu = 0

local visited, visitedCount = {}, 0
local reported = reports()
heartbeat()
drawing(false)
while step < steps do
  note()
  inMenu = top_modal() == "mainmenu" and inMenu + 1 or 0
  if inMenu > 40 then
    newGame()
    inMenu = 0
  elseif playing() and chance(4) then
    warp()
  else
    act()
  end
  -- Each step draws its last frame only: drawing is most of a tick's time,
  -- and the game is still drawn in whatever state every step leaves.
  if not ended() then
    drawing(true)
    tick(1)
    drawing(false)
  end
  if ended() then
    print(string.format("monkey: %d scenes visited", visitedCount))
    print(string.format("monkey: the game ended at step %d", step))
    io.stdout:flush()
    return
  end
  local now = reports()
  if now > reported then
    io.stderr:write(string.format("monkey: seed %d step %d: %d line(s) reported above\n", seed, step, now - reported))
    reported = now
  end
  local id = scene()
  if id and not visited[id] then
    visited[id] = true
    visitedCount = visitedCount + 1
  end
  -- Processor time: on a loaded machine the clock stretches a heartbeat
  -- the game itself kept short.
  local wall, busy = heartbeat()
  if busy > 1000 then
    fail(string.format("the game was busy %d ms at once (%d ms on the clock)", math.floor(busy), math.floor(wall)))
  end
  step = step + 1
end

-- Still answering: the local menu opens over the game, the main menu is up,
-- or the game-over scene shows.
drawing(true)
for k in pairs(keysHeld) do key_up(k) end
-- The game-over scene has no local menu by design: its own passages lead on.
local function game_over()
  local p = top_modal() == "thegame" and panel()
  return p and p.kind == 4 or false
end
for _ = 1, 40 do
  if ended() then break end
  if top_modal() == "mainmenu" or game_over() then break end
  if top_modal() == "thegame" and window("hint") == "shown" then
    -- A hint pauses the scene, and Escape does nothing in a paused scene:
    -- a small hint is clicked away, a big one is answered OK.
    game_lua("if onHintOkClick then onHintOkClick() end")
    demo.click_on("hint")
    tick(30)
  elseif top_modal() == "thegame" and (vethra().map or 0) ~= 0 and not vethra().grid_active then
    -- The Vethra's map, looked at, holds the scene too: its globe takes
    -- it away again.
    if vethra().map == 2 then demo.click_on("btn_globe") end
    tick(30)
  elseif top_modal() == "thegame" then
    key("escape")
    tick(5)
    if window("localmenu") == "shown" then break end
  else
    -- A window over the game is left the way a player leaves it: a question
    -- answered no, a dialog cancelled or closed, else Escape.
    local way = window(tostring(top_modal()) .. "_ok") == "shown" and tostring(top_modal()) .. "_ok" or nil
    for _, name in ipairs(way and {} or leaveButtons) do
      if window(name) == "shown" then
        way = name
        break
      end
    end
    if way then demo.click_on(way) else key("escape") end
    tick(30)
    if window("hint") == "shown" then game_lua("if onHintOkClick then onHintOkClick() end") end
  end
end
if not ended() and top_modal() ~= "mainmenu" and not game_over() and window("localmenu") ~= "shown" then
  fail("the game no longer answers: top window " .. tostring(top_modal()))
end
print(string.format("monkey: seed %d, %d steps played, %d scenes visited", seed, steps - first, visitedCount))
