-- The menu Escape opens during play. The scene stays paused until the
-- player goes back to it.
local function button(name, y, label, command)
  return {type = "TButton", name = name, x = 310, y = y, w = 180, h = 44,
    normal = "images/button_normal.png", hover = "images/button_hover.png",
    pressed = "images/button_pressed.png",
    label = GetString(label), size = 20, color = {250, 236, 200}, command = command}
end

Window{
  type = "TModalWindow", name = "localmenu", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "localmenu_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  {type = "TText", name = "localmenu_title", x = 240, y = 190, w = 320, h = 30,
    text = GetString("menu_title"), size = 24, color = {232, 206, 150}, align = "center"},
  button("btn_Resume", 250, "resume", function() CloseWindow() unlockCurrentScene() end),
  button("btn_MainMenu", 320, "main_menu", function() quitGame() end),
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
