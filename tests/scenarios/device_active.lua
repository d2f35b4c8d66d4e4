-- The still with an active recipe. Taking the bark makes health the potion
-- to brew; water, herb, feather and bark then get the hint
-- "unnecessary_items" from done. Once the hint is closed the scene holds
-- (paused) while the feather fades out of its cell; about 50 heartbeats
-- later (a removal delay of 40, a fade of 10) the feather lies whole on its
-- shelf again, the bark has moved up into the feather's cell, and the scene
-- runs again.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

-- Whether the feather shows on its shelf.
local function feather_on_shelf()
  local r, g, b = pixel(218, 315)
  return r > 200 and g > 200 and b > 200
end

lab.to_crypt()
lab.click("flask")
lab.click("cistern")
pn.click_cell(0)
lab.enter_from_crypt(true)
pn.click_cell(0)
lab.click("device") -- the water
pn.click_cell(0)
tick(20)

lab.drop("herb")
lab.drop("feather")
lab.drop("bark")
assert(flag("active_recipe_name") == "health", "the bark brought health to mind")
move(600, 100)
tick(1)
assert(not feather_on_shelf(), "the feather is in the still")

local heard = #sounds()
game_lua("onDoneClick()")
tick(1)
assert(window("hint") == "shown")
assert(text("hint_text") == "Some of this does not belong in the potion. It comes back out.", text("hint_text"))
assert(sounds()[heard + 1] == "sounds/device_failed.wav", tostring(sounds()[heard + 1]))
assert(select(2, item("feather")) == "stAlchemicalInventory", "still in its cell while the hint shows")

click(400, 100) -- closes the hint
assert(window("hint") == nil)
local waited = 0
repeat
  tick(1)
  waited = waited + 1
  assert(select(4, scene()) or select(2, item("feather")) == "stScene", "the scene holds while it is removed")
until select(2, item("feather")) == "stScene" or waited > 80
assert(waited >= 45 and waited <= 55, "about 50 heartbeats: " .. waited)

-- Back whole on its shelf, the bark in its cell, the scene running.
local _, _, alpha, x, y = item("feather")
assert(alpha == 1 and x == 200 and y == 300, "on its shelf: " .. alpha .. " " .. x .. "," .. y)
move(600, 100)
tick(1)
assert(feather_on_shelf(), "the feather shows on its shelf")
assert(not select(4, scene()), "the scene runs")
lab.click_cell(3)
assert(held() == nil, "the last cell is empty")
lab.click_cell(2)
assert(held() == "bark", "the bark moved up: " .. tostring(held()))
