-- Air: arriving on the Vethra the player hears there is none and three
-- seconds start; leaving stops them and empties the indicator. With the
-- Vethra's atmosphere breathable nothing starts. Under the pond four
-- seconds start, and coming up stops them.

local demo = require("lib.demo")
local pond = require("lib.pond")

local function heard_since(n)
  local all = sounds()
  return all[n + 1]
end

demo.start_new_game()
local heard = #sounds()
demo.go_to("vethra", "0_0_0")
assert(heard_since(heard) == "sounds/no_air.wav", "no air: " .. tostring(heard_since(heard)))
local air = timers().vethra
assert(air.state == 0 and air.left == 3000, air.state .. " " .. air.left)
assert(indicators().vethra.total == 3000 and indicators().vethra.alpha == 0)
demo.wait_active("0_0_0")
tick(30)
assert(timers().vethra.left < 3000 and indicators().vethra.alpha > 0, "the air runs out")

demo.go_to("home", "living_room")
air = timers().vethra
assert(air.state == 1, "leaving stops it")
local shown = indicators().vethra
assert(shown.total == 0 and shown.alpha == 0 and shown.text == "", "and empties its indicator")
demo.wait_active("living_room")

set_flag("vethra_atmosphere", "true")
heard = #sounds()
demo.go_to("vethra", "0_0_0")
assert(timers().vethra.state == 1, "breathable: nothing starts")
assert(heard_since(heard) ~= "sounds/no_air.wav")
demo.wait_active("0_0_0")
demo.go_to("home", "pond")
demo.wait_active("pond")

heard = #sounds()
pond.click("water")
local water = timers().under_water
assert(water.state == 0 and water.left == 4000, water.state .. " " .. water.left)
assert(heard_since(heard) == "sounds/no_air.wav")
assert(indicators().underwater.total == 4000)
demo.wait_active("pond_under")
tick(30)
assert(timers().under_water.left < 4000)
click(400, 20) -- up to the surface
assert(timers().under_water.state == 1, "coming up stops it")
shown = indicators().underwater
assert(shown.total == 0 and shown.alpha == 0, "and empties its indicator")
demo.wait_active("pond")
assert(reports() == 0, reports() .. " report line(s)")
