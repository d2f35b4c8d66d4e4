-- Through space on the Vethra opens the chooser instead of the navigator:
-- its background and window fade in over 100 heartbeats before its two
-- buttons show. Across the Vethra: the chooser is gone on the next tick and
-- the map slides in for travel, the pointer a map pointer over its grid; a
-- click picks cell (1, 1), where the travel button stands, and the button
-- slides the map out: 20 heartbeats later the change to "0_1_1" begins.
-- There, through space again: the navigator opens; backing out of it the
-- Vethra scene runs again. Once more, home.

local demo = require("lib.demo")

demo.start_new_game()
set_flag("vethra_atmosphere", "true")
demo.unlock_magics()
demo.go_to("vethra", "0_0_0")
demo.wait_active("0_0_0")

-- Cast, and the chooser's 100 heartbeats.
local function open_chooser()
  demo.cast("through_space")
  local v = vethra()
  assert(v.chooser == 0 and v.chooser_buttons == 0, "the chooser fades in")
  assert(select(4, scene()), "and holds the scene")
  assert(navigator() == nil, "no navigator here")
  tick(99)
  v = vethra()
  assert(v.chooser == 1 and v.chooser_buttons == 0, "no buttons yet")
  tick(1)
  v = vethra()
  assert(v.chooser == 2 and v.chooser_buttons == 2, "the buttons show")
end

open_chooser()
demo.click_on("btn_through_vethra")
local v = vethra()
assert(v.map == 1 and v.grid_active and v.part == 0, "the map slides in for travel")
assert(window("VethraPotionEffectChooser") == nil, "the chooser is taken down")
tick(1)
assert(vethra().chooser == nil, "and gone on the next tick")
tick(19)
assert(vethra().map == 2 and select(4, scene()))

move(400, 270)
tick(1)
assert(pointer() == "stMap", "over the grid: " .. tostring(pointer()))
move(100, 100)
tick(1)
assert(pointer() ~= "stMap", "off the grid: " .. tostring(pointer()))

click(400, 270) -- cell (1, 1): (250 + 100, 150 + 80) onwards
assert(vethra().grid == 1, "a cell is chosen")
assert(window_rect("button") == 350, "the travel button stands on it: " .. tostring(window_rect("button")))
click(400, 270) -- the travel button
assert(vethra().map == 4, "the map leaves for the journey")
tick(19)
assert(scene() == "0_0_0", "not before the map has slid out")
tick(1)
local id, state = scene()
assert(id == "0_1_1" and state == 2, "the change begins: " .. id .. " " .. state)
assert(vethra().map == 0)
demo.wait_active("0_1_1")
v = vethra()
assert(v.globe == 0 and v.map == 0, "the globe stays on part 0")

-- Through space, by the chooser, to the navigator. The scene waits behind
-- the journey, so the chooser taken down is only deleted when the scene
-- next runs, or goes.
local function through_space()
  tick_until(function() return select(5, magic("through_space")) end, 320, "the magic's refill")
  open_chooser()
  demo.click_on("btn_through_space")
  assert(navigator() == 0, "the navigator opens")
  assert(window("VethraPotionEffectChooser") == nil, "the chooser is taken down")
  tick_until(function() return navigator() == 8 end, 320, "the choice")
  local offered = select(3, navigator())
  assert(#offered == 1 and offered[1] == "home", "offered: " .. table.concat(offered, " "))
end

through_space()
demo.click_on("travel_back")
tick_until(function() return navigator() == nil end, 310, "the way back")
assert(scene() == "0_1_1" and not select(4, scene()), "the Vethra runs again")
tick(1)
assert(vethra().chooser == nil, "the chooser is deleted")

-- Home, with the chooser still held by the Vethra scene that goes.
through_space()
click(220, 520) -- the house's button
tick_until(function() return navigator() == nil end, 310, "the journey home")
assert(scene() == "living_room" and not select(4, scene()), "home")
assert(reports() == 0, reports() .. " report line(s)")
