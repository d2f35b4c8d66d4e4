-- The catapult game's panel along the shore: the aiming picture over the
-- whole screen ("forrotate"), four buttons that steer the aim while held,
-- the fire button and the menu. "btn_up" brings the aim nearer the shore,
-- down the screen, so it is the cross's lower arm and its arrow points
-- down; "btn_down" is the upper arm, its arrow up, as the arrow keys go.
local function button(name, x, y, w, h, look, command)
  local folder = "images/ui/catapult/" .. look
  return {type = "TButton", name = name, x = x, y = y, w = w, h = h, normal = folder .. "_normal.png",
    hover = folder .. "_hover.png", pressed = folder .. "_pressed.png", command = command}
end

Window{
  type = "TWindow", name = "panel", x = 0, y = 0, w = 800, h = 600,
  {type = "CatapultPanel", name = "forrotate", x = 0, y = 0, w = 800, h = 600},
  button("btn_down", 200, 488, 36, 36, "up"),
  button("btn_left", 160, 526, 36, 36, "left"),
  button("btn_right", 240, 526, 36, 36, "right"),
  button("btn_up", 200, 564, 36, 36, "down"),
  button("btn_fire", 560, 520, 80, 50, "fire", function() onCatapultShoot() end),
  button("btn_menu", 700, 8, 90, 30, "menu", function() onCatapultMenuClick() end),
}
