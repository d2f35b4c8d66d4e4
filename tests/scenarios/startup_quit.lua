-- A close request asks through scripts/quitverify.lua once; while its dialog
-- ("yesnobox") is on top, a further close request asks nothing.
tick(1)
assert(top_modal() == "base")
close_request()
tick(1)
assert(top_modal() == "yesnobox")
assert(game_lua("return quit_asked") == "1")
close_request()
tick(1)
assert(game_lua("return quit_asked") == "1")
assert(top_modal() == "yesnobox")

click(470, 335)  -- "no"
tick(1)
assert(top_modal() == "base")
close_request()
tick(1)
assert(game_lua("return quit_asked") == "2")

click(330, 335)  -- "yes": the game ends
assert(ended())
