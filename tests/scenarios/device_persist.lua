-- The laboratory's still in saved games (quick save "t", quick load "x"),
-- each save loaded after the still has moved on. Saved while the herb
-- falls, it comes back with the herb in its first cell, the water in its
-- glass and the bark on its shelf, idle: the bark falls in after it. Saved
-- while the smoke of a brew runs, it comes back with the potion ready
-- (though it was drawn off since), every picture shown from the first
-- frames, and an empty flask draws it off at once. The device's records
-- ("0", "5", a recipe index) are no element names: the save keeps them in
-- elements of their own and loads back without a word. A ready potion
-- naming a recipe the still does not have is reported and leaves it empty.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

-- Whether the point is clearly red, in a frame that may still be fading in.
local function red(x, y)
  local r, g = pixel(x, y)
  return r > 2 * g + 10
end
-- The lowest picture of the potion and the point only the last one covers.
local first_picture, last_picture = {540, 340}, {540, 305}

local function save()
  key("t")
  return save_document()
end

-- Loads the quick save; returns how many lines the game reported meanwhile,
-- and after `at` ticks (of the scene's fade-in) whether each of the
-- potion's pictures was red.
local function load(at)
  local before = reports()
  key("x")
  tick_until(function() return scene() == "lab" and select(2, scene()) == 0 end, 100, "the lab rebuilt")
  tick(at)
  local pictures = {red(first_picture[1], first_picture[2]), red(last_picture[1], last_picture[2])}
  demo.wait_active("lab")
  return reports() - before, pictures
end

lab.enter(true)
give("bucket_water")
lab.click("device")
assert(held() == "bucket")
pn.click_cell(0)
tick(20)

-- Saved while the herb falls.
lab.click("herb")
lab.click("device")
tick(2)
assert(held() == nil and select(2, item("herb")) == "stPointer", "falling")
local doc = save()
assert(doc:find('<alchemical_device>%s*<record name="0" x="0" y="0"/>%s*<herb x="0" y="0"/>%s*' ..
                '<water x="222" y="395"/>%s*</alchemical_device>'), doc:match("<drop_zones>.-</drop_zones>"))
-- The herb lands and the bark follows before the save is loaded again.
tick(16)
lab.click("bark")
lab.click("device")
tick(16)
assert(select(2, item("bark")) == "stAlchemicalInventory")
local said = load(10)
assert(said == 0, "the save loads without a word")
local _, look, alpha = item("herb")
assert(look == "stAlchemicalInventory" and alpha == 1, "the herb in a cell, shown: " .. tostring(look))
local x, y = lab.cell(1)
local r, g, b = pixel(x, y)
assert(g > r + 40 and g > b + 40, "the herb drawn in the first cell")
assert(select(2, item("bark")) == "stScene", "the bark on its shelf as saved")
assert(lab.panel_y() == 0 and lab.blue(lab.glass[1], lab.glass[2]), "the panel shown with its water")
-- Idle: the bark falls in after it.
lab.click("bark")
lab.click("device")
tick(16)
_, look, alpha = item("bark")
assert(look == "stAlchemicalInventory" and alpha == 1, "the bark went in")

-- Saved while the smoke runs.
local seen = #events()
game_lua("onDoneClick()")
assert(demo.events_since(seen):find("potion_ready health", 1, true), demo.events_since(seen))
tick(5)
doc = save()
assert(doc:find('<alchemical_device>%s*<record name="5" x="0" y="0"/>%s*<record name="0" x="0" y="0"/>%s*' ..
                '</alchemical_device>'), doc:match("<drop_zones>.-</drop_zones>"))
-- The potion is made ready and drawn off before the save is loaded again.
tick(21 + 30)
give("flask")
lab.click("device")
assert(item("flask") == "flask_health_complete", "drawn off before loading")
tick(60)
local pictures
said, pictures = load(10)
assert(said == 0, "the save loads without a word")
assert(pictures[1] and pictures[2], "every picture from the first frames")
assert(select(2, item("herb")) == "stScene" and select(2, item("bark")) == "stScene", "the ingredients are back")
-- Ready: an empty flask takes it at once.
give("flask")
assert(item("flask") == "flask_empty")
seen = #events()
lab.click("device")
assert(item("flask") == "flask_health_complete", "drawn off: " .. tostring(item("flask")))
assert(demo.events_since(seen):find("potion_create flask_health_complete", 1, true), demo.events_since(seen))

-- A ready potion of a recipe the still does not have (it has two).
local damaged, n = doc:gsub('(<record name="5" x="0" y="0"/>%s*)<record name="0"', '%1<record name="7"')
assert(n == 1)
set_save_document(damaged)
said, pictures = load(10)
assert(said > 0, "the damage is reported")
assert(not pictures[1] and not pictures[2], "no potion")
give("bucket_water")
lab.click("device")
assert(held() == "bucket", "idle: the water is poured")
