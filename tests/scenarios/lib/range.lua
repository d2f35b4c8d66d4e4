-- Steps shared by the shooting range's scenarios (the tavern's "range").
local demo = require("lib.demo")
local range = {}

range.shot = "audio/sfx/minigames/shooter/shot.ogg"
range.ricochet = "audio/sfx/minigames/shooter/ricoshet.ogg"
range.goal = "audio/sfx/minigames/shooter/ricoshet_con.ogg"

-- A new game walked into the range, its tutorial closed.
function range.enter()
  demo.start_new_game()
  demo.close_hints()
  go("range")
  tick_until(function() return top_modal() == "tutorial_shooter" end, 10, "the range's tutorial")
  demo.click_on("tutorial_shooter_ok")
  tick(1)
end

-- How many sounds have played so far, and which of them since `from`.
function range.sounds_since(from)
  local all = sounds()
  local new = {}
  for i = from + 1, #all do new[all[i]] = true end
  return new, #all
end

-- A click once the gun has settled after a shot (recoil 5: three ticks).
function range.shoot(x, y)
  click(x, y)
  tick(3)
end

return range
