-- The gallery's lever goes up in two pulls and stays up: the registry keeps
-- its state through a quick save and load, and reaching the top sets
-- "lever_up". The snake beside it strikes at the first click of a visit,
-- coils again and bites; further clicks in that visit do nothing.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()

local function lever() return select(2, item("lever")) end

assert(registry("lever") == nil, "state 0 is not written")
click(350, 350)
assert(lever() == "1" and registry("lever") == 1)
assert(flag("lever_up") == "null")
click(350, 350)
assert(lever() == "2" and registry("lever") == 2)
assert(flag("lever_up") == "true", "entering state 2 ran its action")
click(350, 350)
assert(lever() == "2" and registry("lever") == 2, "the last state declines the click")

key("t")
tick(2)
key("x")
demo.wait_active("gallery")
assert(lever() == "2", "still up after the load: " .. tostring(lever()))
assert(registry("lever") == 2)

local function snake() return select(2, item("snake")) end
assert(snake() == "0")
click(440, 390)
assert(snake() == "1", "the strike")
assert(flag("bitten") == "null")
tick_until(function() return snake() == "0" end, 60, "the strike's end")
assert(flag("bitten") == "true", "the bite after the strike")
assert(registry("snake") == nil, "the snake keeps nothing")
set_flag("bitten", "false")
click(440, 390)
tick(1)
assert(snake() == "0", "a second click in the same visit does nothing")
tick(30)
assert(flag("bitten") == "false")
assert(reports() == 0, reports() .. " report line(s)")
