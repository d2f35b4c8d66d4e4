-- The guide hints' state goes with a quick save ("t") and comes back with a
-- quick load ("x"); a hint queued just before a load still shows after it;
-- a save whose hints section has too many or too few children loads what it
-- holds and leaves the rest as a new game has it.

local demo = require("lib.demo")

local function room_plays()
  tick_until(function() return scene() == "living_room" and select(2, scene()) == 1 and not select(4, scene()) end,
             400, "the living room")
end

-- Takes the coin and tells whether its hint showed; leaves the coin in place.
local function coin_hint_shows()
  click(500, 420)
  assert(held() == "coin")
  tick(1)
  local shown = window("hint") == "shown"
  if shown then
    assert(text("hint_text"):find("old coin", 1, true))
    click(400, 300)
  end
  tick(1)
  click(400, 200)
  assert(held() == nil)
  return shown
end

local function load_quick_save()
  key("x")
  room_plays()
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
room_plays()

-- Saved before the coin: loading opens its hint again.
key("t")
local fresh = save_document()
assert(fresh:find('<hints_manager>%s*<hint completed="false">'), fresh)
assert(coin_hint_shows())
assert(not coin_hint_shows(), "once")
load_quick_save()
assert(coin_hint_shows(), "open again after the load")

-- Saved after it: loading keeps it done.
key("t")
local saved = save_document()
assert(saved:find('<hints_manager>%s*<hint completed="true">'), saved)
load_quick_save()
assert(not coin_hint_shows(), "still done after the load")

-- A hint queued in the very tick of a load shows in the rebuilt room.
set_save_document(fresh)
load_quick_save()
click(500, 420) -- open again after this load: queued now ...
key("x") -- ... and the room is rebuilt before it opens
tick_until(function() return window("hint") == "shown" end, 200, "the queued hint")
assert(scene() == "living_room" and select(2, scene()) == 1, "in the rebuilt room, once it plays")
assert(text("hint_text"):find("old coin", 1, true))
click(400, 300)
room_plays()

-- A quick load waits for an open hint: "x" while the hint pauses the room
-- does nothing at all, and the load once it has closed brings no window
-- back.
set_save_document(fresh)
load_quick_save()
click(500, 420)
tick(1)
assert(window("hint") == "shown")
key("x")
tick(5)
assert(window("hint") == "shown" and select(4, scene()), "still open, the room still paused")
assert(held() == "coin", "no load: the hand is as it was")
click(400, 300)
assert(window("hint") == nil and not select(4, scene()))
key("x")
room_plays()
assert(held() == nil, "loaded now")
tick(5)
assert(window("hint") == nil)

-- Damaged sections: extra children are ignored, missing ones start over, and
-- neither stops the load.
local function with_hints(section)
  local doc = saved:gsub("<hints_manager>.-</hints_manager>", section) -- in every slot
  set_save_document(doc)
  load_quick_save()
end
with_hints('<hints_manager><hint completed="true"/><hint completed="false"/><hint completed="false"/>' ..
           '<hint completed="true"/><junk><deeper/></junk></hints_manager>')
assert(not coin_hint_shows(), "the first saved child is the coin's")
with_hints("<hints_manager/>")
assert(coin_hint_shows(), "no child: as in a new game")
with_hints("<hints_manager><hint/></hints_manager>")
assert(coin_hint_shows(), "a child without its state: open")
