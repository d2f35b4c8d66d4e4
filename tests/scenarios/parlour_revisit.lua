-- The old man talks once. His talk takes what the player holds and gives
-- the ticket; the item taken is gone for the registry and the save too, not
-- only from the screen. Back in the parlour later, with the gallery's letter
-- in hand, nobody talks: the letter stays in the hand and the player keeps
-- one ticket.

local demo = require("lib.demo")
local pn = require("lib.panel")

local function talk()
  tick(10)
  click(400, 300)
  tick(1)
  click(400, 300)
  tick(10)
end

local function tickets()
  local n = held() == "ticket" and 1 or 0
  for _, name in ipairs(panel().main.items) do
    if name == "ticket" then n = n + 1 end
  end
  return n
end

demo.start_new_game()
demo.go_to_gallery()
give("letter")
click(740, 300)
demo.wait_active("parlour")
talk()
assert(held() == "ticket" and flag("talked") == "true")
assert(registry("letter") == 4, "the letter's record: " .. tostring(registry("letter")))
key("t")
key("x")
demo.wait_active("parlour")
assert(held() == "ticket" and registry("letter") == 4, "as the save holds it")
assert(item("letter") == nil)

pn.click_cell(0)
assert(held() == nil and tickets() == 1)
click(60, 300) -- the door back
demo.wait_active("gallery")
give("letter")
click(740, 300)
demo.wait_active("parlour")
talk()
assert(held() == "letter", "the letter is kept: " .. tostring(held()))
assert(tickets() == 1, tickets() .. " tickets")
assert(reports() == 0, reports() .. " report line(s)")
