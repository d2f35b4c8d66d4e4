-- The house's guide hints in their windows. The coin's hint is small and
-- shows once: it pauses the room, a click closes it and runs its closing
-- actions. The feather's hint closes by itself and shows every time the
-- feather is taken. The shell's story is a big hint whose panel slides up,
-- waits for OK and slides away.

local demo = require("lib.demo")

local function enter(name)
  tick_until(function() return scene() == name and select(2, scene()) == 1 end, 200, name)
end

local function paused()
  return select(4, scene())
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
enter("living_room")

-- The coin: the hint opens on the next heartbeat and pauses the room.
click(500, 420)
assert(held() == "coin")
assert(window("hint") == nil, "not inside the click")
tick(1)
assert(window("hint") == "shown")
assert(text("hint_text") == "An old coin. Someone in this house paid for something once.", text("hint_text"))
assert(paused(), "a hint pauses its scene")
assert(flag("coin_hint_read") == "null")
click(400, 300)
assert(window("hint") == nil, "closed by the click")
assert(not paused(), "and the room goes on")
assert(flag("coin_hint_read") == "true", "its closing actions ran")
tick(2)

-- Once only: the coin put back and taken again shows nothing.
click(400, 200)
assert(held() == nil)
click(500, 420)
assert(held() == "coin")
tick(3)
assert(window("hint") == nil, "the coin's hint shows once")
click(400, 200)

-- Up to the attic for the feather and the shell.
click(670, 300)
enter("hall")
click(600, 250)
enter("attic")

-- The feather: a hint that closes by itself, every time.
for round = 1, 2 do
  click(220, 320)
  assert(held() == "feather", "round " .. round)
  tick(1)
  assert(window("hint") == "shown", "round " .. round)
  assert(text("hint_text") == "So light it almost floats away.")
  assert(paused())
  tick(150)
  assert(window("hint") == "shown", "open for 151 ticks")
  tick(1)
  assert(window("hint") == nil, "closed by itself")
  assert(not paused())
  click(400, 200) -- back in its place
  assert(held() == nil)
end

-- The shell: the big hint. Its panel waits 20 ticks below the screen, slides
-- up over 20 and waits for OK.
click(680, 270)
assert(held() == "shell")
assert(flag("shell_found") == "true", "its results ran before it was queued")
tick(1)
assert(window("hint") == "shown")
assert(text("hint_text"):find("A sea shell", 1, true))
local function part_y() return select(2, window_rect("hint_part")) end
assert(part_y() == 600)
tick(20)
assert(part_y() == 600, "waiting: " .. part_y())
tick(10)
assert(part_y() == 445, "halfway: " .. part_y())
tick(10)
assert(part_y() == 290, "shown: " .. part_y())
assert(game_lua("return type(onHintOkClick)") == "function")
tick(30)
assert(part_y() == 290 and paused(), "waits for OK")
click(400, 455) -- OK
tick(10)
assert(part_y() == 445, "sliding away: " .. part_y())
tick(10)
assert(part_y() == 600)
assert(paused())
tick(1)
assert(game_lua("return type(onHintOkClick)") == "nil", "unbound with its window")
assert(flag("shell_story_read") == "true", "its closing actions ran")
-- The closing actions queued one more hint, which opens in the same tick.
assert(window("hint") == "shown")
assert(text("hint_text") == "The shell is quiet again.")
