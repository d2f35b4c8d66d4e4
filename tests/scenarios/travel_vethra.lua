-- The Vethra's globe and world map in the spire's scene, part 1, column 2,
-- row 0. The globe shows the part; a click on it slides the map down from
-- above the screen in 20 heartbeats, showing that part with the marker on
-- the spire's cell, and holds the scene. The left arrow turns the globe
-- back to part 0 and cross-fades the map to it in 10. A second click slides
-- the map away and the scene runs again; with the map hidden the arrows turn
-- only the globe.

local demo = require("lib.demo")

demo.start_new_game()
set_flag("vethra_atmosphere", "true")
demo.go_to("vethra", "1_2_0")
demo.wait_active("1_2_0")

local v = vethra()
assert(v.globe == 1 and v.globe_mode == 0 and v.globe_state == "1", "the globe: " .. v.globe_state)
assert(v.map == 0 and v.map_y == -600, "the map waits above the screen")
assert(panel().kind == 2)

demo.click_on("btn_globe")
v = vethra()
assert(v.map == 1 and v.part == 1 and v.fade == 1, "the spire's part slides in")
assert(select(4, scene()) and panel().locked, "the scene holds while the map is looked at")
tick(10)
assert(vethra().map_y == -300, "halfway: " .. vethra().map_y)
demo.click_on("btn_globe")
assert(vethra().map == 1, "a click while the map slides does nothing")
tick(9)
assert(vethra().map == 1 and vethra().map_y == -30, "not yet: " .. vethra().map_y)
tick(1)
v = vethra()
assert(v.map == 2 and v.map_y == 0, "shown on the twentieth heartbeat")
-- The grid's corner (250, 150), cells of 100 by 80: column 2, row 0.
assert(v.marker_x == 450 and v.marker_y == 150, "the marker: " .. tostring(v.marker_x) .. ", " .. tostring(v.marker_y))
assert(not v.grid_active, "only looking, not travelling")
assert(select(4, scene()), "the scene still holds")

demo.click_on("btn_globe_rotation_left")
v = vethra()
assert(v.globe_target == 0 and v.globe_mode == 2 and v.globe_state == "10", "the globe turns left: " .. v.globe_state)
assert(v.part == 0 and v.fade == 0 and v.marker_x == nil, "part 0 fades in, without the marker")
tick(9)
assert(math.abs(vethra().fade - 0.9) < 1e-4, "fading: " .. vethra().fade)
tick(1)
v = vethra()
assert(v.fade == 1 and v.map == 2, "part 0 in ten heartbeats")
tick_until(function() return vethra().globe_mode == 0 end, 40, "the globe's turn")
assert(vethra().globe == 0 and vethra().globe_state == "0")

demo.click_on("btn_globe")
assert(vethra().map == 3, "the second click hides the map")
assert(not select(4, scene()) and not panel().locked, "and the scene runs")
tick(20)
v = vethra()
assert(v.map == 0 and v.map_y == -600, "back above the screen")

demo.click_on("btn_globe_rotation_right")
v = vethra()
assert(v.globe_target == 1 and v.globe_state == "01", "the globe turns: " .. v.globe_state)
assert(v.map == 0 and v.part == 0, "the hidden map stays as it was")
assert(reports() == 0, reports() .. " report line(s)")
