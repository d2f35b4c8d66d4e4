-- "restore_item" puts the study's apple back in its place from wherever
-- the player left it: in the hand, in a cell of the inventory, on the
-- gallery's shelf, on the study's own desk (from a saved game); run in the
-- study, in the gallery where the shelf is built, or in another scene.
-- Each time the apple ends in its scene once: out of the hand, the cell and
-- the zone (their records gone from a quick save too, nothing left on the
-- shelf or desk to take), the registry at the scene, and in the study it
-- lies at its place, where a click takes it.

local demo = require("lib.demo")
local pn = require("lib.panel")

local RESTORE = '<action type="restore_item" item_id="apple"/>'
local APPLE = {620, 470} -- on the apple's place on the study's floor

-- Through the doors: the hall and the gallery lie on either side of the
-- study.
local doors = {
  study = {hall = {80, 300}, gallery = {195, 300}},
  hall = {study = {270, 300}},
  gallery = {study = {60, 300}},
}
local function walk(to)
  while scene() ~= to do
    local step = doors[scene()][to] and to or "study"
    local door = doors[scene()][step]
    click(door[1], door[2])
    demo.wait_active(step)
  end
end

-- A quick save's document, its saved message waited out.
local function saved()
  key("t")
  local doc = save_document()
  tick(130)
  return doc
end

-- The apple, held, left in the place.
local put = {
  hand = function() end,
  cell = function()
    pn.click_cell(0)
    assert(panel().main.items[1] == "apple", pn.items())
  end,
  shelf = function()
    walk("gallery")
    demo.close_hints() -- the missions the apple completed are told first
    click(620, 215)
    local shelf = saved():match("<gallery_shelf>.-</gallery_shelf>") or ""
    local x, y = shelf:match('<apple x="(%-?%d+)" y="(%-?%d+)"/>')
    assert(x, "on the shelf: " .. shelf)
    return tonumber(x), tonumber(y)
  end,
}

demo.start_new_game()
click(670, 300)
demo.wait_active("hall")
walk("study")
click(APPLE[1], APPLE[2])
assert(held() == "apple")

for _, c in ipairs({
  {place = "hand", run = "study"},
  {place = "cell", run = "study"},
  {place = "shelf", run = "study"},
  {place = "hand", run = "hall"},
  {place = "cell", run = "hall"},
  {place = "shelf", run = "gallery"},
}) do
  local what = "from the " .. c.place .. ", run in the " .. c.run
  local x, y = put[c.place]()
  assert(held() == nil or c.place == "hand", what .. ": put down")
  walk(c.run)
  act(RESTORE)
  assert(held() == nil, what .. ": the hand is empty")
  assert(not pn.items():find("apple", 1, true), what .. ": no cell holds it: " .. pn.items())
  assert(registry("apple") == 0, what .. ": the registry has it in its scene")
  local doc = saved()
  local zones = doc:match("<drop_zones>.-</drop_zones>") or ""
  assert(not zones:find("apple", 1, true), what .. ": no zone records it: " .. zones)
  assert(not doc:find('item_id="apple"', 1, true), what .. ": no saved cell holds it")
  if x and scene() == "gallery" then
    click(x + 20, y + 20)
    assert(held() == nil, what .. ": nothing to take from the shelf")
  end
  walk("study")
  local _, state = item("apple")
  assert(state == "stScene", what .. ": lies in the study, " .. tostring(state))
  click(APPLE[1], APPLE[2])
  assert(held() == "apple", what .. ": taken from its place")
  assert(item("apple") == "apple" and registry("apple") == 1)
end

-- Lying on the study's own desk, as a saved game may hold it: the desk's
-- apple itself comes back to its place on the floor.
click(APPLE[1], APPLE[2]) -- put back
assert(held() == nil and registry("apple") == 0)
local doc = saved()
doc = doc:gsub('<apple a0="0"/>', '<apple a0="4"/>', 1)
doc = doc:gsub("<drop_zones/>", '<drop_zones><study_desk><apple x="300" y="360"/></study_desk></drop_zones>', 1)
set_save_document(doc)
key("x")
demo.wait_active("study")
assert(item("apple") == nil and registry("apple") == 4, "the apple lies on the desk, not on the floor")
act(RESTORE)
local _, state = item("apple")
assert(state == "stScene" and registry("apple") == 0, "back on the floor: " .. tostring(state))
assert(not (saved():match("<drop_zones>.-</drop_zones>") or ""):find("apple", 1, true), "the desk's record is gone")
click(320, 380)
assert(held() == nil, "nothing left on the desk to take")
click(APPLE[1], APPLE[2])
assert(held() == "apple", "taken from its place")
