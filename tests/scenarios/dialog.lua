-- The old man in the parlour: his panel slides down as the room appears,
-- each click on the room shows the next phrase, the last gives the ticket,
-- and when the panel has slid away the room plays again and can be saved.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()
give("coin")
click(740, 300)
demo.wait_active("parlour")
assert(select(4, scene()), "a dialog in front counts as paused")

-- The panel (80, 10, 640 by 200, dark blue) rests where "bg" puts it.
tick(6)
local function panel_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 30 and g == 42 and b == 56
end
assert(panel_at(90, 190) and panel_at(400, 195), "the panel rests at its place")
assert(not panel_at(400, 215), "and no lower")
local function bubble_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 244 and g == 232 and b == 200
end
assert(bubble_at(300, 130), "his phrase first, in the upper bubble")
assert(not bubble_at(300, 420))

click(400, 300)
tick(1)
assert(bubble_at(300, 420), "the player's phrase in the lower bubble")
assert(not bubble_at(300, 130), "his bubble has gone")
assert(held() == "coin")

click(400, 300)
assert(held() == "ticket", "the last click gives the ticket: " .. tostring(held()))
assert(flag("talked") == "null", "the action waits for the panel")

tick(5)
assert(flag("talked") == "true", "the panel has slid away and the action ran")
tick(1) -- the quiet parlour, without the old man, is built
assert(not select(4, scene()), "the parlour plays again")
assert(panel_at(90, 190) == false, "the panel is gone")
key("t")
assert(save_document():find('<save save_name="Quick save" ind="1">', 1, true), "t writes slot 1")
assert(held() == "ticket")
assert(reports() == 0, reports() .. " report line(s)")
