-- A take effect that asks for a gigabyte in one call.
local s = string.rep("x", 2 ^ 30)
gActive = true
Emitter{burst = 20, life = 1, size = 8}
