-- expect: ^tests/runner/plain_error\.lua:4: no place of its own$
-- An error raised without a place still gets the line it came from.
tick(1)
local function fail() error("no place of its own", 0) end
fail()
