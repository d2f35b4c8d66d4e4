-- The menu Escape opens during play. The scene stays paused until the
-- player goes back to it. Help opens the lesson's page over it.
DoModal("scripts/menukit.lua")

-- A size smaller than the kit's, so that the longest label ("Back to the
-- game") keeps a margin inside its button.
local function button(name, y, label, command)
  local b = MenuKit.button(name, 310, y, label, command)
  b.size = 17
  return b
end

Window{
  type = "TModalWindow", name = "localmenu", x = 0, y = 0, w = 800, h = 600,
  {type = "TImage", name = "localmenu_bg", x = 240, y = 150, image = "images/ui/localmenu.png"},
  {type = "TText", name = "localmenu_title", x = 240, y = 180, w = 320, h = 30,
    text = GetString("menu_title"), size = 24, color = {232, 206, 150}, align = "center"},
  button("btn_Resume", 250, "resume", function() CloseWindow() unlockCurrentScene() end),
  button("btn_MainMenu", 320, "main_menu", function() quitGame() end),
  button("btn_Save", 390, "save", function() DoModal("scripts/save.lua") end),
  button("btn_Load", 460, "load", function() DoModal("scripts/load.lua") end),
  button("btn_Options", 530, "options", function() DoModal("scripts/options.lua") end),
  {type = "TButton", name = "btn_Help", x = 452, y = 180, w = 100, h = 30,
    normal = "images/tutorial/close.png", label = GetString("help"), size = 16,
    color = {250, 236, 200}, command = function() DoModal("scripts/tutorial.lua") end},
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
