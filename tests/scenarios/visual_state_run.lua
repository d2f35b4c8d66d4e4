-- A state of four frames at 100 ms a frame shows each frame for its 100 ms
-- and reaches its next state after 400 ms.
local function colour()
  local r, g, b = pixel(220, 120)
  return string.format("%d,%d,%d", r, g, b)
end
local frames = {"255,0,0", "0,255,0", "0,0,255", "255,255,255"}
local REST = "255,255,0"

local start = timer()
local seen = {}
while timer() - start < 560 do
  tick(1)
  local t = timer() - start
  local c = colour()
  if t < 400 then
    local want = frames[math.floor(t / 100) + 1]
    assert(c == want, string.format("at %d ms: %s, want %s", t, c, want))
  else
    assert(c == REST, string.format("at %d ms: %s, want the next state", t, c))
  end
  seen[c] = true
end
for _, f in ipairs(frames) do assert(seen[f], "frame never shown: " .. f) end
assert(seen[REST])
