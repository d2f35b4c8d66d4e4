-- The drawn pointer of the bundled content follows the mouse over an
-- application window: its tip sits on the mouse position, and the place it
-- left shows what lies underneath again.
local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

tick(1)
local reported = reports()
game_lua('Window{type = "TModalWindow", name = "pointer_host", x = 0, y = 0, w = 800, h = 600,' ..
         ' {type = "TolvWindow", name = "TolvWindow", GameMouse = true}}')
tick(2)
local underneath = colour(204, 160)
move(200, 150)
tick(1)
assert(colour(200, 150) == "0,0,0", "tip outline: " .. colour(200, 150))
assert(colour(204, 160) == "255,255,255", "arrow body: " .. colour(204, 160))
move(400, 300)
tick(1)
assert(colour(204, 160) == underneath, "left behind: " .. colour(204, 160))
assert(colour(404, 310) == "255,255,255", "arrow body after the move: " .. colour(404, 310))
assert(reports() == reported, "messages while loading the pointer")
