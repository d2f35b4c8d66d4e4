-- expect: ^tests/runner/game_ended\.lua:5: the game has ended$
-- A scenario that goes on after the game quit fails where it asks for more.
game_lua("SendGameMessage('quit')")
tick(1)
tick(1)
