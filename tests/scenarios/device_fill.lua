-- Filling the laboratory's lit still. A herb cannot go in first ("liquid"):
-- water comes first, poured from the crypt's flask, which stays in hand,
-- empty. The device's panel slides in and is shown 14 heartbeats later (a
-- wait of 10 and five points); on its next tick the water starts filling
-- the glass, low first. A herb then falls along the two-point path for six
-- ticks and fades into the first cell over ten; taken back, it is in hand
-- again and the panel stays (the water is still in). The rock is refused
-- ("wrong_item"), so is anything once all four cells are taken
-- ("no_empty_cell"). A bunch of herbs drops a herb in and leaves its stalk
-- in hand.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

local function refused(what, hint)
  local heard = #sounds()
  lab.click("device")
  tick(1)
  assert(text("hint_text") == hint, what .. ": " .. tostring(text("hint_text")))
  assert(sounds()[heard + 1] == "sounds/impossible.wav", what .. ": " .. tostring(sounds()[heard + 1]))
  assert(held() == what, what .. " stays in hand: " .. tostring(held()))
  demo.close_hints()
end

-- The flask, filled at the crypt's cistern, travels in the panel's first cell.
lab.to_crypt()
lab.click("flask")
lab.click("cistern")
assert(item("flask") == "flask_water")
pn.click_cell(0)
lab.enter_from_crypt(true)

lab.click("herb")
assert(held() == "herb")
refused("herb", "Something to boil comes first: water.")
lab.click("herb") -- back on its shelf
assert(held() == nil)

-- The water.
pn.click_cell(0)
assert(held() == "flask" and item("flask") == "flask_water")
local heard = #sounds()
lab.click("device")
assert(held() == "flask" and item("flask") == "flask_empty", "the flask is empty in hand")
assert(sounds()[heard + 1] == "sounds/device_liquid.wav", tostring(sounds()[heard + 1]))
for t = 1, 13 do
  tick(1)
  assert(lab.panel_y() > 0, "still sliding at " .. t)
end
tick(1)
assert(lab.panel_y() == 0, "shown 14 heartbeats after the pour")
assert(not lab.blue(unpack(lab.glass)), "not yet filling")
tick(1)
-- Filling starts low: the bottom of the glass is blue, its top not yet.
assert(lab.blue(unpack(lab.glass)) and not lab.blue(237, 410), "stFilling")
tick(40)
assert(lab.blue(237, 410), "full, boiling")
pn.click_cell(0) -- the empty flask goes back into the panel
assert(held() == nil)

-- A herb falls in: six ticks along the path, then ten fading into cell 1.
lab.click("herb")
lab.click("device")
assert(held() == nil)
local _, _, _, x0 = item("herb")
for t = 1, 5 do
  tick(1)
  local name, _, alpha, x, y = item("herb")
  assert(name == "herb" and alpha == 1 and y == (t <= 3 and 90 or 210), "falling " .. t .. ": " .. y)
end
assert(x0 ~= 380, "it starts from the shelf")
for t = 1, 10 do
  tick(1)
  local _, state, alpha = item("herb")
  assert(state == "stAlchemicalInventory", state)
  assert(math.abs(alpha - t / 10) < 0.01, "fade tick " .. t .. ": " .. alpha)
end

-- Taken back: in hand, and the panel stays for the water.
lab.click_cell(1)
assert(held() == "herb", "taken back")
tick(20)
assert(lab.panel_y() == 0, "the panel stays while the water is in")
lab.click("device")
tick(16)

give("rock")
refused("rock", "That does not belong in the still.")
pn.click_cell(1) -- the rock goes into the panel

-- Bark, feather and root fill the other three cells.
lab.drop("bark")
lab.drop("feather")
lab.drop("root")
give("seed")
refused("seed", "The still is full.")
pn.click_cell(2) -- the seed goes into the panel

-- A bunch of herbs: the herb falls in, the stalk stays in hand.
lab.click_cell(1)
assert(held() == "herb")
give("herb_bunch")
lab.click("device")
assert(held() == "herb_stalk", "the stalk in hand: " .. tostring(held()))
tick(1)
local _, _, _, _, y = item("herb")
assert(y == 90, "the herb falls: " .. y)
tick(15)
assert(select(2, item("herb")) == "stAlchemicalInventory" and select(3, item("herb")) == 1, "in its cell")
