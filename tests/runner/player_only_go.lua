-- expect: ^tests/runner/player_only_go\.lua:5: go\(\) is not a player's: the scenario keeps to a player's means since player_only\(\) at tests/runner/player_only_go\.lua:4$
-- go() fails at the scenario's line, not inside the runner's own wait.
tick(1)
player_only()
go("anywhere")
