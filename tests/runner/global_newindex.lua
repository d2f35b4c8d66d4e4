-- expect: ^tests/runner/global_newindex\.lua:7: TestTicker "lower_pad": .*cannot set pad_events
-- The same for a _G that refuses a new name: the pad's event log is written
-- when the right button reaches it.
tick(1)
game_lua("pad_events = nil")
game_lua("setmetatable(_G, {__newindex = function(_, k) error('cannot set ' .. k) end})")
click(350, 100, "right")
tick(1)
