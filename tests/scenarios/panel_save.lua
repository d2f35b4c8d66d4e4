-- The panel in saved games. The quick save ("t") and the quick load ("x")
-- bring back what the cells held, where each strip was scrolled to, the
-- magic buttons shown and the unlocked book button. Health, drunk once from
-- the crypt's flask (below its threshold of two) and then unlocked by a
-- mission, stays unlocked after loading. A damaged panel section (a first
-- cell past the end, a cell missing, an item no one can make) still loads.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
click(180, 485) -- the trapdoor
demo.wait_active("cellar")
click(730, 230) -- the crypt
demo.wait_active("crypt")
click(495, 475) -- the flask
click(700, 320) -- the cistern
click(580, 420) -- the cauldron
click(400, 150, "right") -- drunk: one of the two drinks health needs
assert(magic("health") == 0 and select(2, magic("health")) == 1)
pn.click_cell(0) -- the flask goes into the first cell
click(60, 300) -- up to the cellar
demo.wait_active("cellar")
click(400, 100) -- the ladder
demo.wait_active("living_room")
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")

-- The apple shows the book button; kept in a cell it earns health, whose
-- effect plays when the room next resumes (here: after the local menu).
click(620, 472)
pn.click_cell(1)
assert(magic("health") == 1)
key("escape")
tick(2)
assert(top_modal() == "localmenu")
click(400, 272) -- back to the game
tick_until(function() return select(3, magic("health")) end, 60, "the health buttons")
demo.wait_active("study")

move(pn.cell(2))
local names = {"key", "coin", "feather", "ring", "shell"}
for i, name in ipairs(names) do
  give(name)
  if i > 3 then wheel(-1) end
  pn.click_cell(math.min(i + 1, 4))
end
assert(panel().main.first == 2)
local stored = pn.items()
assert(stored == "flask,apple,key,coin,feather,ring,shell", stored)

key("t")
local doc = save_document()
assert(doc:find('<main_inventory first_cell="2">%s*<cell0 item_id="flask"/>'), doc)
assert(doc:find('<button isSmall="true" isMagic="true" magicState="1" magicTimerVal="0" locked="0"/>', 1, true), doc)
assert(doc:find('<flask_usage>%s*<health value="1"/>'), doc)

-- Things change: two cells emptied, the strip back at its start.
wheel(5)
pn.click_cell(0)
pn.click_cell(1)
give("lamp")
assert(panel().main.first == 0 and pn.items() ~= stored)

key("x")
demo.wait_active("study")
local p = panel()
assert(pn.items() == stored, pn.items())
assert(p.main.first == 2, "the strip scrolled as saved: " .. p.main.first)
assert(p.book.state == 1 and p.book.shown, "the book button unlocked")
local value, drinks, small, big, ready = magic("health")
assert(value == 2 and drinks == 1, "unlocked by the mission, one drink counted: " .. value .. " " .. drinks)
assert(small and big and ready, "health shown and ready")
assert(not select(3, magic("fire")), "fire never shown")

-- A damaged section: the first cell past the end, the first cell's entry
-- gone, an item that does not exist.
local function with(doc, pattern, to)
  local out, n = doc:gsub(pattern, to)
  assert(n == 1, pattern)
  return out
end
key("t")
doc = save_document()
doc = with(doc, '<main_inventory first_cell="2">%s*<cell0 item_id="flask"/>', '<main_inventory first_cell="99">')
doc = with(doc, '<cell2 item_id="key"/>', '<cell2 item_id="no_such_item"/>')
set_save_document(doc)
local before = reports()
key("x")
demo.wait_active("study")
p = panel()
assert(p.main.first == #p.main.items - 5, "the last possible first cell: " .. p.main.first)
assert(pn.items() == "-,apple,-,coin,feather,ring,shell", pn.items())
assert(reports() > before, "the damage is reported")
