-- The crypt's flask. Used on the cistern it fills with water (the pour
-- sound, "potion_create flask_water", the potion kept in the registry with
-- the flask's place); drunk (a right-click) it runs the water's drink
-- action and is empty again. Water brewed in the cauldron becomes the
-- finished health potion, which drunk counts toward the health magic.

local demo = require("lib.demo")
demo.start_new_game()
click(180, 485) -- the trapdoor
demo.wait_active("cellar")
click(730, 230) -- the door to the crypt
demo.wait_active("crypt")

local function potion() return registry("flask", 1) end

click(495, 475) -- the flask
assert(held() == "flask" and item("flask") == "flask_empty")

local heard, seen = #sounds(), #events()
click(700, 320) -- the cistern
local after = sounds()
assert(#after == heard + 1 and after[#after] == "sounds/pour.wav", "the pour sound")
assert(demo.events_since(seen) == "potion_create flask_water", demo.events_since(seen))
assert(registry("flask") == 1 and potion() == 1, "in the hand, with water")
assert(item("flask") == "flask_water")

click(400, 300, "right") -- drink
assert(flag("drank_water") == "true", "the water's drink action")
assert(registry("flask") == 1 and potion() == 0, "empty again")
assert(held() == "flask")

click(700, 320) -- the cistern again
click(580, 420) -- the cauldron
assert(item("flask") == "flask_health_complete")
assert(potion() == 10)
seen = #events()
click(400, 300, "right")
assert(select(2, magic("health")) == 1, "counted toward the health magic")
assert(demo.events_since(seen) == "potion_drink health", demo.events_since(seen))
assert(registry("flask") == 1 and potion() == 0)
assert(item("flask") == "flask_empty")
