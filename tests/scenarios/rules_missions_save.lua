-- Missions, tasks, conditions, quest-book pages and the guide hints' state
-- survive a quick save ("t") and a quick load ("x"); a save whose missions
-- section has a mission too few or too many loads what it holds and leaves
-- the rest as a new game has it.

local demo = require("lib.demo")

local start_new_game = demo.start_new_game

local wait_active = demo.wait_active

local close_hints = demo.close_hints

local function section(doc, name)
  return doc:match("<" .. name .. "[ >].-</" .. name .. ">") or doc:match("<" .. name .. "[^>]*/>")
end

-- The chapter half done: the coin taken, the light still off.
start_new_game()
click(500, 420) -- the coin
tick(1)
click(400, 100) -- closes the guide hint on the first coin
tick(1)
key("t")
local saved = save_document()
local missions = section(saved, "missions_manager")
assert(missions, saved)
local _, pages = missions:gsub("<page ", "")
assert(pages == 3, missions)
-- The first mission open, its light task open and its coin task done.
assert(missions:find('<mission completed="false" shown="false">%s*<tasks>%s*<item completed="false">.-</item>%s*' ..
                       '<item completed="true">'), missions)

-- Played on: the light completes the first two missions and opens pages.
click(115, 240)
assert(mission("light_the_house") and mission("the_house_is_lit"))
assert(page(3) == 1 and page(4) == 1)
close_hints()

key("x")
wait_active("living_room")
close_hints()
assert(mission("light_the_house") == false, "back to the coin only")
assert(mission("the_house_is_lit") == false)
assert(task("take_the_coin") == true)
assert(task("turn_on_the_light") == false)
assert(page(0) == 2 and page(1) == 1 and page(2) == 1 and page(3) == 0 and page(4) == 0)
key("t")
local again = save_document()
for _, name in ipairs({"missions_manager", "hints_manager"}) do
  assert(section(saved, name) == section(again, name), name .. " differs:\n" .. tostring(section(saved, name)) ..
           "\n" .. tostring(section(again, name)))
end

-- Damaged saves: the missions section's list cut after the first mission,
-- then grown by three strangers. Both load without harm.
local list = section(saved, "missions")
local first = list:match("^<missions>%s*(<mission .-</mission>)")
assert(first, list)
local function load_with(missions_list)
  local doc = saved:gsub("<missions>.-</missions>", function() return missions_list end)
  set_save_document(doc)
  key("x")
  wait_active("living_room")
  close_hints()
end

click(115, 240) -- both missions complete again before each load
assert(mission("the_house_is_lit") == true)
close_hints()
load_with("<missions>" .. first .. "</missions>")
assert(task("take_the_coin") == true, "the one saved mission is loaded")
assert(mission("the_house_is_lit") == false, "a mission without its element is reset")

local extra = '<mission completed="true" shown="true"/>'
click(115, 240)
assert(mission("light_the_house") == true)
close_hints()
load_with(list:gsub("</missions>$", function() return extra .. extra .. extra .. "</missions>" end))
assert(mission("light_the_house") == false, "loaded")
assert(task("take_the_coin") == true)
assert(mission("the_attic_treasure") == false, "strangers beyond the list are ignored")
for _, name in ipairs({"light_the_house", "the_house_is_lit", "the_attic_treasure"}) do
  assert(select(2, mission(name)) == false, name .. " not shown")
end
