-- What the gallery's things tell the game: the candle says it is in the
-- gallery whenever the gallery starts, the cup says so exactly while it
-- stands on its ledge. The portrait only names itself. Chalk in hand marks
-- the bare wall where it is clicked, for good.

local demo = require("lib.demo")
demo.start_new_game()
assert(flag("candle_in_gallery") == "null")
demo.go_to_gallery()
assert(flag("candle_in_gallery") == "true", "the gallery started with the candle in it")
assert(flag("cup_on_ledge") == "true")

click(670, 320) -- the cup
assert(held() == "cup")
assert(flag("cup_on_ledge") == "false")
click(480, 200) -- back to its ledge
assert(held() == nil)
assert(flag("cup_on_ledge") == "true")

-- The portrait's caption, ten ticks after the pointer rests on it: a frame
-- from 30 pixels right of the pointer, long enough for its words (the cup's
-- would end far sooner).
local function caption_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 64 and g == 40 and b == 16
end
local function caption_middle_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 128 and g == 80 and b == 32
end
move(490, 90)
tick(11)
assert(caption_at(520, 91), "the portrait names itself")
assert(caption_middle_at(740, 91), "with its own words")
move(480, 200)
tick(11)
assert(not caption_at(510, 201), "the bare wall names nothing")

-- The chalk marks the wall where the pointer is.
local function mark_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 248 and g == 248 and b == 248
end
click(280, 470)
assert(held() == "chalk")
click(300, 200)
assert(registry("spot", 0) == 300 and registry("spot", 1) == 200)
assert(flag("spot_marked") == "true")
assert(held() == "chalk", "the chalk stays in hand")
tick(1)
assert(not mark_at(300, 200), "the mark shows from the next visit on")
click(330, 180)
assert(registry("spot", 0) == 300, "the first mark stays")

click(60, 300)
demo.wait_active("study")
click(195, 300)
demo.wait_active("gallery")
assert(mark_at(300, 200), "the mark is drawn where it was made")
assert(reports() == 0, reports() .. " report line(s)")
