-- The timers and their indicators in the quick save: "t" writes the eight
-- controllers (the seven of the table, then invisibility) and the four
-- indicators, "x" brings them back; a save that lacks the water's timer and
-- the indicators still loads.

local demo = require("lib.demo")
local pond = require("lib.pond")

-- The names of the children of `section` in the current save document.
local function children(section)
  local body = save_document():match("<" .. section .. ">(.-)</" .. section .. ">")
  assert(body, "no " .. section .. " section")
  local names = {}
  for name in body:gmatch("<([%w_]+)") do names[#names + 1] = name end
  return table.concat(names, " ")
end

pond.enter()
pond.eat("toadstool")
pond.click("water")
demo.wait_active("pond_under")
local water = timers().under_water
assert(water.state == 0 and water.left == 4000, "the air under water: " .. water.state .. " " .. water.left)
assert(indicators().underwater.total == 4000)
tick(20)
local saved = {poison = timers().poison.left, water = timers().under_water.left}
key("t")
tick(1)
assert(children("timer_controllers") ==
  "poison vethra mousetrap under_water sleeping_zone greece_scroll sleeping_hints invisibility",
  children("timer_controllers"))
assert(children("indicators") == "poison vethra underwater invisibility", children("indicators"))

-- Up again (the water's timer stops), then back to the save.
click(400, 20)
demo.wait_active("pond")
assert(timers().under_water.state == 1 and indicators().underwater.total == 0)
key("x")
demo.wait_active("pond_under")
water = timers().under_water
assert(water.state == 0, "running again")
-- The load counts from itself: only the heartbeats since show.
assert(water.left <= saved.water and water.left > saved.water - 60 * 16, water.left .. " of " .. saved.water)
assert(select(2, save_document():find('<under_water state="0" left_time="' .. saved.water .. '"', 1, true)),
  "saved as it was")
assert(timers().poison.state == 0 and timers().poison.left <= saved.poison)
assert(indicators().underwater.total == 4000 and indicators().poison.total == 30000)

-- The same save without the water's timer and without the indicators.
local document = save_document()
local damaged = document:gsub('<under_water [^>]*/>', ''):gsub('<indicators>.-</indicators>', '')
assert(damaged ~= document)
set_save_document(damaged)
key("x")
demo.wait_active("pond_under")
water = timers().under_water
assert(water.state == 1 and water.left == 0, "no child: stopped with nothing left")
assert(indicators().poison.total == 30000, "no section: the indicators stay as they were")
assert(timers().poison.state == 0)
assert(reports() == 0, reports() .. " report line(s)")
