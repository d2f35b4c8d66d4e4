-- Reading in the gallery: the plaque's word is drawn on the wall; the
-- letter, used in the hand, opens large in front of the room with its words
-- over it, and a click takes it back into the hand; the stone tablet glows
-- into sight the first time a tablet is read in a game, and only then.

local demo = require("lib.demo")
demo.start_new_game()
demo.go_to_gallery()

-- Light letters on the dark plaque at (570, 50), 110 by 50.
local function plaque_lettered()
  for y = 55, 95, 2 do
    for x = 575, 675, 2 do
      local r = pixel(x, y)
      if r > 180 then return true end
    end
  end
  return false
end
assert(plaque_lettered(), "the plaque's word is drawn")

click(380, 470) -- the letter on the floor
assert(held() == "letter")
local seen, heard = #events(), #sounds()
click(480, 200, "right")
tick(1)
local _, state, _, x, y = item("letter")
assert(state == "stLarge", state)
assert(x == 250 and y == 140, "centred on (400, 240): " .. x .. "," .. y)
assert(held() == nil, "the hand lets it go while it is read: " .. tostring(held()))
assert(demo.events_since(seen):find("note_read letter", 1, true), demo.events_since(seen))
assert(sounds()[heard + 1] == "sounds/open.wav", tostring(sounds()[heard + 1]))
assert(select(4, scene()), "a note in front counts as paused")
local function page_at(x, y)
  local r, g, b = pixel(x, y)
  return r == 244 and g == 232 and b == 200
end
assert(page_at(300, 300), "the page lies over the room")
-- Its words hang from (400, 165) in dark ink over the page.
assert(demo.any_dark(270, 165, 440, 230, 120), "the letter's words are drawn")
assert(not demo.any_dark(270, 290, 530, 330, 120), "below them the page is bare")
lose_textures()
tick(1)
assert(demo.any_dark(270, 165, 440, 230, 120), "the words are drawn again after the textures were lost")
assert(page_at(500, 300), "and the page shows through around them")

heard = #sounds()
click(480, 200)
assert(held() == "letter", "a click gives it back to the hand")
assert(select(2, item("letter")) == "stPointer")
assert(sounds()[heard + 1] == "sounds/close.wav", tostring(sounds()[heard + 1]))
assert(not select(4, scene()))
tick(1)
assert(not page_at(300, 300), "closed, the page is gone from the room")

-- The tablet: the glow once in a game, then plain.
click(480, 200) -- the letter onto the shelf
assert(held() == nil)
click(430, 470)
assert(held() == "tablet")
assert(flag("___is_ready_tabled_animation_shown") == "null")
click(480, 200, "right")
assert(select(2, item("tablet")) == "stLargeAnim")
assert(flag("___is_ready_tabled_animation_shown") == "true")
tick_until(function() return select(2, item("tablet")) == "stLarge" end, 40, "the glow's end")
click(480, 200)
assert(held() == "tablet")
click(480, 200, "right")
assert(select(2, item("tablet")) == "stLarge", "the second reading shows it plainly")
click(480, 200)
assert(held() == "tablet")
assert(reports() == 0, reports() .. " report line(s)")
