-- The quest book's pages after the renderer lost its textures: the page
-- contents are rendered again from their scripts, and a page half way
-- through its reveal keeps the part it had revealed.

local demo = require("lib.demo")
local bk = require("lib.book")

local function sample()
  local out = {}
  for y = 90, 470, 38 do
    for x = 110, 690, 58 do out[#out + 1] = table.concat({pixel(x, y)}, ",") end
  end
  return out
end

demo.start_new_game()
bk.open()
-- Half way through the first reveal (20 ticks for the page's 400 pixels).
tick_until(function() return book().busy end, 100, "the first reveal")
tick(10)
assert(bk.is(250, 200, bk.HOUSE) and not bk.is(250, 400, bk.HOUSE))
lose_textures()
tick(1)
assert(bk.is(250, 200, bk.HOUSE), "the revealed part is drawn again")
assert(not bk.is(250, 400, bk.HOUSE), "and only that part")
bk.settle()
assert(bk.is(250, 400, bk.HOUSE))

-- At rest, once the sparkles are gone: the same picture before and after.
tick(60)
local before = sample()
lose_textures()
tick(1)
local after = sample()
for i = 1, #before do assert(before[i] == after[i], i .. ": " .. before[i] .. " then " .. after[i]) end
