-- Music and item sounds on the bundled house. A theme change fades the music
-- out over 30 ticks, starts the new theme's first track, and fades it in over
-- 30 ticks, one step a heartbeat: the main menu ticks its theme, the game
-- window the scene's. An item's sound is its own file, else the default, and
-- "none" plays nothing.

local demo = require("lib.demo")

local function wait_active(id) demo.wait_active(id, 300) end

local function near(a, b)
  return math.abs(a - b) < 1e-4
end

-- From the first tick of the fade-out of `theme`: 30 ticks down to silence,
-- the theme's first track starting with the turn, 30 ticks up to full.
local function check_fade(theme, first_track)
  local volume, name, state = music()
  assert(name == theme and state == 1, "fading out to " .. theme .. ": " .. name .. " " .. state)
  local played = #sounds()
  for i = 1, 30 do
    volume, name, state = music()
    assert(state == 1 and near(volume, 1 - (i - 1) / 30),
           theme .. " fade-out, tick " .. i .. ": " .. volume .. " state " .. state)
    tick(1)
  end
  volume, name, state = music()
  assert(state == 2 and near(volume, 0), theme .. ": silent at the turn, " .. volume)
  local s = sounds()
  assert(#s == played + 1 and s[#s] == first_track, theme .. " starts with " .. tostring(s[#s]))
  for i = 1, 30 do
    tick(1)
    volume, name, state = music()
    assert(near(volume, i / 30), theme .. " fade-in, tick " .. i .. ": " .. volume)
  end
  assert(state == 0, theme .. " plays on after its fade-in")
  tick(5)
  assert(near(music(), 1), "the music stays at the player's volume")
end

-- The main menu asks for its theme as it is made; its clock, and so the
-- fade, runs once the first-start question is answered.
demo.enter_name()
check_fade("main_menu", "sounds/menu_theme.wav")

click(110, 282) -- New game
tick_until(function() return select(2, music()) == "scene_default" end, 400, "the scene's theme")
check_fade("scene_default", "sounds/scene_theme.wav")
wait_active("living_room")

-- Each take and put plays exactly one sound, or none.
local function sound_of(x, y)
  local before = #sounds()
  click(x, y)
  local s = sounds()
  assert(#s <= before + 1, "one sound a click")
  return s[before + 1]
end

assert(sound_of(320, 350) == "sounds/lamp_get.wav", "the lamp's own take sound")
assert(held() == "lamp")
assert(sound_of(400, 200) == "sounds/put.wav", "no put sound of its own: the default")
assert(held() == nil)
assert(sound_of(495, 415) == "sounds/take.wav", "the coin has no sounds: the default")
assert(held() == "coin")

-- The coin's guide hint comes up; a click closes it, another puts the coin
-- back.
tick_until(function() return window("hint") == "shown" end, 50, "the coin's hint")
click(400, 100)
tick_until(function() return window("hint") == nil end, 50, "the hint closing")
click(400, 200)
assert(held() == nil)

-- Up to the attic: the feather's take sound is "none", so it is silent even
-- though a default exists.
click(670, 300)
wait_active("hall")
click(600, 300)
wait_active("attic")
assert(sound_of(215, 320) == nil, "the feather takes in silence")
assert(held() == "feather")
