-- The panel in saved games. The quick save ("t") and the quick load ("x")
-- bring back what the cells held, where each strip was scrolled to, the
-- magic buttons shown and the unlocked book button. A magic a mission
-- unlocked stays unlocked after loading even when the flask drinks counted
-- for it are below the magic's threshold. A damaged panel section (a first
-- cell past the end, a cell missing, an item no one can make) still loads.

local demo = require("lib.demo")
local pn = require("lib.panel")

demo.start_new_game()
click(670, 300) -- to the hall
demo.wait_active("hall")
click(270, 300) -- the study
demo.wait_active("study")

-- The apple shows the book button; kept in a cell it earns health, whose
-- effect plays when the room next resumes (here: after the local menu).
click(620, 472)
pn.click_cell(0)
assert(magic("health") == 1)
key("escape")
tick(2)
assert(top_modal() == "localmenu")
click(400, 272) -- back to the game
tick_until(function() return select(3, magic("health")) end, 60, "the health buttons")
demo.wait_active("study")

local names = {"key", "coin", "feather", "ring", "shell", "stick"}
move(pn.cell(2))
for i, name in ipairs(names) do
  give(name)
  if i > 4 then wheel(-1) end
  pn.click_cell(math.min(i, 4))
end
assert(panel().main.first == 2)
local stored = pn.items()
assert(stored == "apple,key,coin,feather,ring,shell,stick,-,-", stored)

key("t")
local doc = save_document()
assert(doc:find('<main_inventory first_cell="2">%s*<cell0 item_id="apple"/>'), doc)
assert(doc:find('<button isSmall="true" isMagic="true" magicState="1" magicTimerVal="0" locked="0"/>', 1, true), doc)

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
assert(value == 2 and small and big and ready, "health shown and ready")
assert(not select(3, magic("fire")), "fire never shown")

-- Health unlocked with one drink counted, below its threshold of two: it
-- stays unlocked.
-- The document with the one match of the pattern replaced.
local function with(doc, pattern, to)
  local out, n = doc:gsub(pattern, to)
  assert(n == 1, pattern)
  return out
end
key("t")
doc = save_document()
doc = with(doc, "<flask_usage/>", '<flask_usage><health value="1"/></flask_usage>')
set_save_document(doc)
key("x")
demo.wait_active("study")
value, drinks = magic("health")
assert(value == 2 and drinks == 1, value .. " " .. drinks)

-- A damaged section: the first cell past the end, the first cell's entry
-- gone, an item that does not exist.
key("t")
doc = save_document()
doc = with(doc, '<main_inventory first_cell="2">%s*<cell0 item_id="apple"/>', '<main_inventory first_cell="99">')
doc = with(doc, '<cell2 item_id="coin"/>', '<cell2 item_id="no_such_item"/>')
set_save_document(doc)
local before = reports()
key("x")
demo.wait_active("study")
p = panel()
assert(p.main.first == 4, "the last possible first cell: " .. p.main.first)
assert(pn.items() == "-,key,-,feather,ring,shell,stick,-,-", pn.items())
assert(reports() > before, "the damage is reported")
