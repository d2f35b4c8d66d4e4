-- heartbeat() reads the longest stretch the game held the runner since the
-- last read, and starts again from nothing.
tick(3)
heartbeat()
assert(heartbeat() == 0, "a read with no heartbeat between must be 0")
tick(2)
local first = heartbeat()
assert(first > 0, "two heartbeats ran but none was timed")
assert(heartbeat() == 0, "the read did not start the count again")
click(400, 300)
tick(1)
assert(heartbeat() > 0, "the click and its heartbeat were not timed")
