-- Poison that runs out in the old keep, a world with no game-over scene:
-- the end is reported, the player stays where they are and plays on, and
-- nothing of the poison is left on screen.

local demo = require("lib.demo")
local pond = require("lib.pond")

pond.enter()
pond.eat("mushroom") -- two seconds
demo.go_to("old_keep", "keep_hall")
demo.wait_active("keep_hall")
assert(timers().poison.state == 0, "still poisoned in the keep")
local before = reports()
tick_until(function()
  if window("hint") == "shown" then click(400, 100) end
  return timers().poison.state == 1
end, 300, "the poison's end")
assert(reports() - before == 1, "the refused end is reported")
tick(30)
assert(scene() == "keep_hall" and select(2, scene()) == 1 and not select(4, scene()), "the keep plays on")
local shown = indicators().poison
assert(shown.total == 0 and shown.alpha == 0 and shown.text == "",
  string.format("the indicator emptied: %d %g %q", shown.total, shown.alpha, shown.text))
