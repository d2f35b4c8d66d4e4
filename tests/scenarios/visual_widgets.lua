-- The demo window of the game's widgets, built from its Lua script on the
-- bundled content: every widget is in place, the objects are drawn, and the
-- interactive button starts disabled.
local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

tick(1)
local reported = reports()
game_lua('DoModal("scripts/visual_demo.lua")')
tick(2)
assert(top_modal() == "visual_demo", tostring(top_modal()))
for _, name in ipairs({"demo_shelf", "demo_lamp", "demo_gem", "demo_wrapper", "demo_button",
                       "demo_slider", "demo_interactive", "demo_bar", "demo_close"}) do
  assert(window(name) == "shown", name .. ": " .. tostring(window(name)))
end
-- The interactive button shows its disabled picture; the live button is out of the tree.
assert(window("disabled_image") == "shown")
assert(window("button") == nil)
assert(colour(430, 430) == "64,64,64", "disabled face: " .. colour(430, 430))

-- The shelf's panel is drawn at its offset, inside its border.
assert(colour(305, 205) == "42,48,80", "panel edge: " .. colour(305, 205))
assert(colour(320, 215) == "58,68,112", "panel inside: " .. colour(320, 215))

-- The progress bar at 40 of 100: the foreground shows below row 24.
assert(colour(572, 392 + 10) == "32,32,32", "bar background: " .. colour(572, 402))
assert(colour(572, 392 + 40) == "192,48,48", "bar foreground: " .. colour(572, 432))

-- The button answers a click.
click(120, 436)
tick(1)
assert(game_lua("return visual_demo_clicks") == "1")

-- The lamp flares through its four frames and settles.
tick(30)
assert(reports() == reported, "reports while the demo ran")
click(660, 436)
tick(2)
assert(top_modal() ~= "visual_demo")
