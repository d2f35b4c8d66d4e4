-- expect: ^tests/runner/game_lua_error\.lua:4: game_lua: game_lua:1: attempt to index
-- An error in the game's state fails the scenario at the line that ran it.
tick(1)
game_lua("return nothing_here.field")
