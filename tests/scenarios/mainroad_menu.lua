-- From an empty preferences folder to the first scene: the menu shows (the
-- first-start question cancelled), its panel slides in, "Continue" without a
-- save leaves the player in the menu with a notice that says so,
-- and "New game" plays the entry slides, then the living room fades in over
-- 35 ticks and announces itself on the last one. Clicks on its masks count
-- only once it is active.

local function has_event(line)
  for _, e in ipairs(events()) do
    if e == line then return true end
  end
  return false
end

local demo = require("lib.demo")

tick(1)
assert(pref("curuser") == "-1", "no player yet")
-- The first start asks for a name over the title; Cancel leaves the title
-- without a player.
assert(top_modal() == "entername")
demo.click_on("btn_Cancel")
assert(top_modal() == "mainmenu")
assert(pref("curuser") == "-1", "still no player")
assert(window("menuwnd") == "shown")
assert(window("welcome") == "hidden", "no player to greet")
tick(10)

-- The panel is in: "Continue" finds no autosave, so no game starts and a
-- notice tells the player; OK leaves the menu as it was.
local before = reports()
click(110, 342)
for _ = 1, 200 do
  tick(1)
end
assert(top_modal() == "notice", "nothing told: " .. tostring(top_modal()))
assert(scene() == nil, "an empty slot builds no game")
assert(reports() > before, "the empty slot is reported")
demo.click_on("notice_ok")
tick(1)
assert(top_modal() == "mainmenu")
tick(10)

-- New game: seven steps of slide-out, then two slides of 80 ticks.
click(110, 282)
local n = 0
while top_modal() ~= "thegame" do
  tick(1)
  n = n + 1
  assert(n < 400, "the game never started")
end
assert(n == 7 + 160, "slide-out and slides took " .. n .. " ticks")

local id, state = scene()
assert(id == "living_room" and state == 0, "the default scene fades in")
click(320, 350) -- the lamp, while the scene is still fading in
assert(held() == nil, "masks take no clicks during the fade")

local fading = 0
repeat
  assert(not has_event("scene_enter living_room"), "announced before the fade ended")
  tick(1)
  fading = fading + 1
  assert(fading < 200, "the fade never ended")
  id, state = scene()
until state ~= 0
assert(state == 1)
assert(has_event("scene_enter living_room"))
assert(fading == 35, "the fade took " .. fading .. " ticks")

click(320, 350)
assert(held() == "lamp", "the active scene takes clicks")
