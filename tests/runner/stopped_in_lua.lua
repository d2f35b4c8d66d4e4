-- expect: ^tests/runner/stopped_in_lua\.lua:[0-9]+: stopped by signal 2$
-- stop: INT 3
-- SIGINT stops a scenario busy in Lua between frames too.
tick(1)
while true do
end
