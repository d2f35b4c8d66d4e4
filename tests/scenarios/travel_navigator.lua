-- Through space from the living room: the start particles play alone for 10
-- heartbeats and one more, the portal covers the scene in 151 and uncovers
-- the selection in 151. The selection offers the Vethra, newly open, with
-- its one unlock spark at its button; not the house the player is in. The
-- sound effects are silent and the navigator's theme plays. Back: the
-- theme that played before at once, the effects' volume with the scene's
-- return 151 heartbeats later, and the scene runs again 150 after that.
-- Again, to the Vethra this time (no spark now that it was seen): the world
-- changes at once, its scene comes 150 heartbeats later and runs 150 after.
-- Through time from there, the selection offers the old keep but not the
-- house; quitting to the menu while choosing gives the effects their volume
-- back.

local demo = require("lib.demo")

demo.start_new_game()
set_flag("vethra_atmosphere", "true")
demo.unlock_magics()
assert(magic("vethra") == 1 and magic("home") == 2, "the Vethra is open, not yet seen")
local effects = volume(1000)
local _, theme = music()
assert(effects > 0 and theme == "scene_default", effects .. " " .. theme)

-- From the cast to the choice: 11 + 151 + 151 heartbeats.
local function open_and_choose(id)
  demo.cast(id)
  assert(navigator() == 0 and select(4, scene()), "the journey starts and holds the scene")
  -- Heartbeats, then the state they lead to.
  for _, step in ipairs{{10, 0}, {1, 1}, {150, 1}, {1, 3}, {150, 3}, {1, 8}} do
    tick(step[1])
    assert(navigator() == step[2], "after " .. step[1] .. " more: " .. tostring(navigator()))
  end
end

open_and_choose("through_space")
local _, _, offered, particles = navigator()
assert(#offered == 1 and offered[1] == "vethra", "offered: " .. table.concat(offered, " "))
assert(magic("vethra") == 2, "seen now")
assert(table.concat(particles, ", ") == "particles/spark.lua 580 520, particles/glow.lua 400 120",
       "one unlock spark at the Vethra's button: " .. table.concat(particles, ", "))
assert(volume(1000) == 0, "the effects are silent")
assert(select(2, music()) == "navigator_space")

demo.click_on("travel_back")
assert(navigator() == 4)
assert(select(2, music()) == theme, "the theme before: " .. select(2, music()))
tick(150)
assert(navigator() == 4 and volume(1000) == 0)
tick(1)
assert(navigator() == 6 and volume(1000) == effects, "the scene is back, and the effects")
tick(149)
assert(navigator() == 6 and select(4, scene()))
tick(1)
assert(navigator() == nil and scene() == "living_room" and not select(4, scene()), "the room runs again")

assert(select(5, magic("through_space")), "refilled meanwhile")
open_and_choose("through_space")
_, _, offered, particles = navigator()
assert(#offered == 1 and offered[1] == "vethra")
assert(table.concat(particles, ", ") == "particles/glow.lua 400 120", "no second spark")
local seen = #events()
click(580, 520) -- the Vethra's button
assert(navigator() == 9)
assert(demo.events_since(seen):find("world_enter vethra", 1, true), demo.events_since(seen))
tick(149)
assert(navigator() == 9 and vethra().map == nil, "the room still stands behind the journey")
tick(1)
assert(navigator() == 11 and scene() == "0_0_0" and vethra().map == 0, "the Vethra's first field is built")
assert(select(4, scene()), "and held")
tick(149)
assert(navigator() == 11)
tick(1)
assert(navigator() == nil and not select(4, scene()), "the Vethra runs")
assert(volume(1000) == effects)

open_and_choose("through_time")
_, _, offered = navigator()
assert(#offered == 1 and offered[1] == "old_keep", "offered: " .. table.concat(offered, " "))
assert(volume(1000) == 0 and select(2, music()) == "navigator_time")
game_lua("quitGame()")
tick(1)
assert(top_modal() == "mainmenu")
assert(volume(1000) == effects, "the effects' volume is back: " .. volume(1000))
assert(reports() == 0, reports() .. " report line(s)")
