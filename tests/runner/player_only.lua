-- expect: ^tests/runner/player_only\.lua:7: set_flag\(\) is not a player's: the scenario keeps to a player's means since player_only\(\) at tests/runner/player_only\.lua:9$
-- Before player_only() the scenario may reach into the game; after it, the
-- readings and input still work, and a call that reaches in fails at the
-- line that makes it, even through a function defined before.
tick(1)
assert(game_lua("return 1 + 1") == "2")
local function cheat() set_flag("door_open", "true") end
local sneak = game_lua
player_only()
assert(top_modal() ~= nil and window("no such window") == nil, "the readings still work")
tick(1)
assert(not pcall(sneak, "return 1"), "game_lua kept aside fails too")
cheat()
