-- A close request during play: the quit question comes once and pauses the
-- scene; "No" resumes it. Asked while the local menu already paused the
-- scene, "No" leaves it paused. "Yes" ends the game.

local demo = require("lib.demo")

local function wait_for(what, test)
  for _ = 1, 400 do
    if test() then return end
    tick(1)
  end
  error("never: " .. what)
end

local function paused()
  local _, _, _, p = scene()
  return p
end

demo.enter_name()
tick(10)
click(110, 282) -- New game
wait_for("the scene to play", function()
  local _, state = scene()
  return state == 1
end)

close_request()
tick(1)
assert(top_modal() == "yesnobox")
assert(paused(), "the question pauses the scene")
close_request()
tick(1)
assert(top_modal() == "yesnobox", "a second request asks nothing more")
click(470, 335) -- No
tick(1)
assert(top_modal() == "thegame")
assert(not paused(), "No resumes the scene")

key("escape")
tick(1)
assert(top_modal() == "localmenu" and paused())
close_request()
tick(1)
click(470, 335) -- No
tick(1)
assert(top_modal() == "localmenu")
assert(paused(), "a scene paused before the question stays paused")

close_request()
tick(1)
click(330, 335) -- Yes
if not ended() then tick(1) end
assert(ended(), "Yes ends the game")
