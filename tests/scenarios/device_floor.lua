-- Everything the laboratory's still takes lies where a player finds it: the
-- rock, the root, the seeds, a bucket of water and a bottle on the floor.
-- Each can be picked up and put back. The bucket's water and the seeds brew
-- sleep, which the bottle draws off as a tonic.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

local floor = {rock = 320, root = 380, seed = 440, bucket_water = 500, bottle = 560}
local function take(name)
  click(floor[name], 470)
  assert(held() == name, name .. " from the floor: " .. tostring(held()))
end

lab.enter(true)
for name, _ in pairs(floor) do
  take(name)
  click(floor[name], 470) -- back where it lay
  assert(held() == nil, name .. " back on the floor: " .. tostring(held()))
end

take("bucket_water")
lab.click("device")
assert(held() == "bucket", "poured")
pn.click_cell(0)
tick(20)
take("seed")
lab.click("device")
tick(16)
assert(held() == nil, "the seeds went in")
demo.close_hints()
move(600, 100)
game_lua("onDoneClick()")
tick(120)
take("bottle")
lab.click("device")
assert(held() == "tonic", "the sleep drawn off: " .. tostring(held()))
assert(reports() == 0, "reports")
