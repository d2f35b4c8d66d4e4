-- expect: ^tests/runner/global_index\.lua:6: TestTicker "lower_pad": .*no global pad_ticks
-- A game script whose _G fails on a missing name fails the scenario line during
-- which the runner read that global, and the runner ends as on any failure.
tick(1)
game_lua("pad_ticks = nil; setmetatable(_G, {__index = function(_, k) error('no global ' .. k) end})")
tick(5)
