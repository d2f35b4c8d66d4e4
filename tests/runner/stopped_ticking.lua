-- expect: ^tests/runner/stopped_ticking\.lua:[0-9]+: stopped by signal 15$
-- stop: TERM 3
-- A scenario that never ends is stopped by SIGTERM at the next frame.
tick(1000000)
