-- A bunch of herbs drops a herb into the still and leaves its stalk in hand,
-- but an item is one thing in one place: while the shelf's herb is in play
-- (here stored in the panel) the bunch is refused, so no clear can put a
-- second herb back on the shelf. Once that herb is gone, the bunch's herb
-- goes in, a clear puts it on the shelf, and after a save and a load there
-- is still exactly one herb: on the shelf, none in the panel.

local demo = require("lib.demo")
local lab = require("lib.lab")
local pn = require("lib.panel")

local bunch = {590, 330}

local function count(text, word)
  local n = 0
  for _ in text:gmatch(word) do n = n + 1 end
  return n
end

lab.enter(true)
lab.pour(0)

lab.click("herb")
assert(held() == "herb")
pn.click_cell(1)
assert(held() == nil and pn.items():find("herb", 1, true), "the herb is stored: " .. pn.items())

click(bunch[1], bunch[2])
assert(held() == "herb_bunch", "the bunch in hand: " .. tostring(held()))
lab.click("device")
tick(1)
assert(held() == "herb_bunch", "refused while a herb is in play: " .. tostring(held()))
assert(text("hint_text") == "That does not belong in the still.", tostring(text("hint_text")))
demo.close_hints()
assert(count(pn.items(), "herb") == 1, pn.items())

-- The stored herb leaves play (given away); now the bunch gives one.
pn.click_cell(1)
assert(held() == "herb")
give("herb_bunch")
lab.click("device")
assert(held() == "herb_stalk", "the stalk in hand: " .. tostring(held()))
tick(16)
assert(select(2, item("herb")) == "stAlchemicalInventory", "the herb is in the still")
pn.click_cell(2)

game_lua("onClearClick()")
tick(60)
local _, state, _, x, y = item("herb")
assert(state == "stScene" and x == 140 and y == 200, "on its shelf: " .. tostring(state))

key("t")
tick(2)
key("x")
demo.wait_active("lab")
local _, state2 = item("herb")
assert(state2 == "stScene", "on the shelf after the load: " .. tostring(state2))
assert(not pn.items():find("herb,", 1, true) and not pn.items():find(",herb$"), "none in the panel: " .. pn.items())
assert(registry("herb") == 0, "recorded on the shelf: " .. tostring(registry("herb")))
assert(reports() == 0, "reports")
