-- The panel follows the scene: the full strip with the inventory in the
-- living room (kind 0), only the box of the exit and book buttons over the
-- full-screen attic (kind 3), and nothing but the thin band at the end
-- screen (kind 4), where no menu button shows. Only the panel's opaque
-- pixels keep clicks from the scene: the attic's hatch below the strip's
-- place still takes its click.

local demo = require("lib.demo")

local function rgb(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%02x%02x%02x", r, g, b)
end

demo.start_new_game()
assert(panel().kind == 0)
tick(1)
assert(rgb(200, 560) == "3b2a1e", "the strip: " .. rgb(200, 560))
assert(window("menu_button") == "shown")

click(670, 300) -- to the hall
demo.wait_active("hall")
click(600, 300) -- up the stairs
demo.wait_active("attic")
assert(panel().kind == 3)
tick(1)
assert(rgb(200, 560) ~= "3b2a1e", "no strip over the attic")
assert(rgb(612, 560) == "3b2a1e", "the box at the right: " .. rgb(612, 560))
assert(window("btn_exit") == "shown" and window("btn_inventory_left") == nil)

click(80, 60) -- the skylight
demo.wait_active("the_end")
assert(panel().kind == 4)
tick(1)
assert(rgb(400, 590) == "2a0a0a", "the band: " .. rgb(400, 590))
assert(window("menu_button") == nil, "no menu button at the end")
click(400, 480) -- the door
demo.wait_active("living_room")
assert(panel().kind == 0 and window("menu_button") == "shown")

click(670, 300)
demo.wait_active("hall")
click(600, 300)
demo.wait_active("attic")
click(400, 555) -- the hatch, where the strip would be
demo.wait_active("hall")
