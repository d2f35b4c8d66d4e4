-- The scene picker, opened from a script during play: a world's scenes by
-- name, a jump to one of them, and an item put in the empty hand.

local demo = require("lib.demo")

local function open_picker()
  game_lua("DoModal('scripts/pickscene.lua')")
  assert(top_modal() == "pickscene")
end

local function give(name)
  demo.click_on("itemedit")
  type_text(name)
  demo.click_on("getitem")
end

demo.enter_name("Ann")
-- No game, no scene to make an item with: nothing is given.
open_picker()
give("ring")
assert(held() == nil and top_modal() == "pickscene")
demo.click_on("pickscene_close")

demo.start_new_game()
open_picker()
game_lua("GoToScene(1)")
assert(top_modal() == "pickscene" and scene() == "living_room", "no world shown yet")
game_lua("ShowScenes(0)")
assert(text("world_name") == "home")
local scenes = {"living_room", "hall", "attic", "study", "garden", "cellar", "the_end"}
for i, name in ipairs(scenes) do
  assert(text("scene" .. (i - 1)) == name and window("scene" .. (i - 1)) == "shown", name)
end
-- The house has rooms beyond these; after its last scene the buttons stay
-- hidden.
local n = #scenes
while window("scene" .. n) == "shown" do
  assert(text("scene" .. n) ~= "", "scene" .. n .. " has a name")
  n = n + 1
end
assert(window("scene" .. n) == "hidden", "a button with no scene stays hidden")
game_lua("GoToScene(1)")
assert(top_modal() == "thegame")
assert(select(2, scene()) == 2, "the scene fades out")
demo.wait_active("hall")

open_picker()
give("ring")
assert(held() == "ring" and top_modal() == "thegame")
assert(registry("ring") == 1, "in the hand for the items registry too")
-- A full hand takes nothing more, and keeps what it holds.
open_picker()
give("lamp")
assert(held() == "ring" and top_modal() == "pickscene")
