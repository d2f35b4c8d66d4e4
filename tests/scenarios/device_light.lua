-- Lighting the laboratory's still. Anything but a burning match of the
-- lab's box is refused with the "fire" hint and the impossible sound, and
-- the still stays cold. A burning match lights it: the lit variable is set
-- (with its "flag" event), the match goes out, and the game panel plays its
-- two alchemical effects. The lit variable picks the scene's other state,
-- so the scene is built again, now with the done button and the flame.

local demo = require("lib.demo")
local lab = require("lib.lab")
lab.enter()
assert(window("img_done_disabled") == "shown" and window("btn_done") == nil, "unlit: done is greyed")

-- Whether the burner's flame shows beside the still's belly.
local function flame()
  for _, p in ipairs({{372, 306}, {380, 313}}) do
    local r, g, b = pixel(p[1], p[2])
    if r > 200 and g > 100 and b < 100 then return true end
  end
  return false
end
assert(not flame(), "a cold still shows no flame")

-- How much green the frame has around the game panel's glow at (x, y).
local function green(x, y)
  local sum = 0
  for dy = -8, 8, 2 do
    for dx = -12, 12, 2 do
      local r, g = pixel(x + dx, y + dy)
      sum = sum + g - r
    end
  end
  return sum
end

local function refused(what)
  local heard = #sounds()
  lab.click("device")
  tick(1)
  assert(text("hint_text") == "The still is cold. It wants a flame.", what .. ": " .. tostring(text("hint_text")))
  assert(sounds()[heard + 1] == "sounds/impossible.wav", what .. ": " .. tostring(sounds()[heard + 1]))
  assert(held() == what, what .. " stays in hand")
  assert(flag("device_lit") == "null", what)
  demo.close_hints()
end

-- The lab's own box, its match not lit.
lab.click("matches")
assert(held() == "lab_matches")
refused("lab_matches")
give("rock")
refused("rock")

give("lab_matches")
click(400, 300, "right") -- strikes a match
assert(item("lab_matches") == "match", "burning")
tick(1)
local calm = {green(202, 528), green(202, 572)}
local seen = #events()
lab.click("device")
assert(flag("device_lit") == "true")
assert(demo.events_since(seen):find("flag device_lit=true", 1, true), demo.events_since(seen))
assert(item("lab_matches") == "lab_matches", "the match is out")
assert(held() == "lab_matches")
-- Both glows of the game panel play: each spot greener than before.
local glowed = {false, false}
for _ = 1, 40 do
  tick(1)
  glowed[1] = glowed[1] or green(202, 528) > calm[1] + 100
  glowed[2] = glowed[2] or green(202, 572) > calm[2] + 100
end
assert(glowed[1] and glowed[2], "the panel's glows")

-- Lit, the scene is built again in its other state.
demo.wait_active("lab")
tick(2)
assert(select(3, scene()) == 1, "the lit state")
assert(window("btn_done") == "shown" and window("img_done_disabled") == nil, "lit: done is live")
assert(flame(), "the lit still shows its flame")
