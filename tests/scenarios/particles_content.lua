-- The bundled particle test window: its layer draws every emitter's script
-- (glow, trail, sparks, puff) without a single report.

local function brightness(x, y)
  local r, g, b = pixel(x, y)
  return r + g + b
end

tick(2)
local reported = reports()
local before = brightness(150, 150)
game_lua("DoModal('scripts/particle_test.lua')")
assert(top_modal() == "particle_test")
tick(60)
assert(brightness(150, 150) > before + 150, "the glow shines at the standing emitter")

-- Something is drawn near each moving emitter's path.
local function lit_near(x0, y0, radius, level)
  for y = y0 - radius, y0 + radius, 2 do
    for x = x0 - radius, x0 + radius, 2 do
      local r, g, b = pixel(x, y)
      if r + g + b > level then return true end
    end
  end
  return false
end
assert(lit_near(150, 440, 30, 500), "sparks around their emitter")
assert(lit_near(400, 530, 30, 300), "a grey puff of smoke on the dark ground")
assert(reports() == reported, "reports: " .. reports() - reported)

game_lua("PopModal('particle_test')")
tick(2)
assert(top_modal() ~= "particle_test")
