-- A mushroom eaten by the pond: the hand is emptied, two seconds of poison
-- start and the scene nearly vanishes. With one second left a hint warns
-- and the indicator's text blinks; nothing counts while the hint is open;
-- at the end the indicator shows in full as the game goes to the end
-- screen, which empties it.

local demo = require("lib.demo")
local pond = require("lib.pond")

local function poison() return timers().poison end
local function near(a, b, tolerance) return math.abs(a - b) <= (tolerance or 2) end

pond.enter()
local grass = {pixel(pond.at.grass[1], pond.at.grass[2])}
assert(poison().state == 1 and indicators().poison.total == 0, "no poison yet")

pond.eat("mushroom")
assert(held() == nil, "eaten")
assert(poison().state == 0 and poison().left == 2000, poison().state .. " " .. poison().left)
assert(indicators().poison.total == 2000 and indicators().poison.alpha == 0)
tick(1)
local r, g, b = pixel(pond.at.grass[1], pond.at.grass[2])
assert(near(r, grass[1] * 0.1) and near(g, grass[2] * 0.1) and near(b, grass[3] * 0.1),
  "the background at a tenth: " .. r .. "," .. g .. "," .. b)
assert(poison().left == 2000 - 16)

-- The update that brings the poison to a second or less warns: the hint
-- opens and the indicator's text blinks.
tick_until(function() return poison().left <= 1000 end, 70, "a second left")
assert(window("hint") == "shown", "the warning")
assert(text("hint_text") == "The poison burns. Only health can help now.", text("hint_text"))
local shown = indicators().poison
assert(shown.text == "indicator_poison_soon" and shown.blink == 3, shown.text .. " " .. shown.blink)
assert(shown.alpha > 0.5 and shown.alpha < 0.51, "the rim half in: " .. shown.alpha)

-- The text fades in and out (the panel blinks it twice a heartbeat in
-- this scene: the cycle, tick by tick, is in the unit tests).
local lowest, highest = 1, 0
for _ = 1, 6 do
  tick(1)
  local a = indicators().poison.text_alpha
  lowest, highest = math.min(lowest, a), math.max(highest, a)
end
assert(lowest < 0.1 and highest > 0.6, "blinks: " .. lowest .. " to " .. highest)

-- While the warning is open the poison waits.
local left = poison().left
tick(30)
assert(poison().left == left, "nothing counts behind the hint")
demo.close_hints()

-- At exactly 0 nothing yet; the update after it goes to the end.
tick_until(function() return poison().left == 0 end, 80, "the poison's end")
assert(scene() == "pond" and poison().state == 0)
tick(1)
assert(poison().state == 1, "stopped")
local id, state = scene()
assert(id == "the_end" and state == 2, "fading out to the end: " .. id .. " " .. state)
shown = indicators().poison
assert(shown.alpha == 1 and shown.text == "indicator_poison_soon", "the indicator ends shown in full")
demo.wait_active("the_end")
shown = indicators().poison
assert(shown.total == 0 and shown.alpha == 0 and shown.text == "", "the end screen empties the indicator")
assert(reports() == 0, reports() .. " report line(s)")
