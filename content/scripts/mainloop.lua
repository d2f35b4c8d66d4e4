-- The first screen: the main menu in the root modal window, with the
-- application window that carries the drawn pointer over it. The game's own
-- screen comes on top when a game starts (gotoGame) and goes again when the
-- player leaves it.

-- The style every scene is initialised with.
DefaultStyle = {}

-- The phrase texts of dialogs, named by their items' "my_table" and
-- "his_table": the player's, and the old man's in the parlour.
DialogPlayerText = {size = 17, color = {40, 30, 20}, wrap = true}
DialogOldManText = {size = 17, color = {60, 30, 20}, wrap = true}

-- Called by the main menu once the entry slides are over: the game's screen,
-- whose "gamewnd" the menu then starts.
function gotoGame()
  DoModal("scripts/game.lua")
end

DoModal("scripts/menukit.lua")

-- The title's buttons, one under the other in the sliding panel.
local function menuButton(name, y, label, command)
  return MenuKit.button(name, 20, y, label, command)
end

Window{
  type = "TModalWindow", name = "mainmenu", x = 0, y = 0, w = 800, h = 600,
  {type = "MainMenu", name = "menuwnd", x = 0, y = 0, w = 800, h = 600,
    game_enter_slides = {"images/slides/slide1.png", "images/slides/slide2.png"},
    {type = "TImage", name = "backdrop", x = 0, y = 0, image = "images/backdrop.png"},
    {type = "TText", name = "title", x = 240, y = 120, w = 520, h = 80,
      text = GetString("game_title"), font = "title", size = 64, color = {232, 206, 150}, align = "center"},
    {type = "TText", name = "welcome", x = 240, y = 210, w = 520, h = 30,
      size = 20, color = {180, 196, 210}, align = "center"},
    {type = "SlidingPanel", name = "left_panel", x = -220, y = 260, w = 220, h = 330,
      pos_anim = {{-220, 260}, {-170, 260}, {-120, 260}, {-75, 260}, {-40, 260}, {-15, 260}, {0, 260}},
      menuButton("btn_NewGame", 0, "new_game", function() onNewGameClick() end),
      menuButton("btn_LoadGame", 60, "load_game", function() onLoadGameClick() end),
      menuButton("btn_Load", 116, "load", function() DoModal("scripts/loadmenu.lua") end),
      menuButton("btn_Players", 172, "players", function() onProfileClick() end),
      menuButton("btn_Options", 228, "options", function() DoModal("scripts/options.lua") end),
      menuButton("btn_Quit", 284, "quit", function() DoModal("scripts/quitbox.lua") end),
    },
  },
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}

-- The first start: no player yet. Saved games belong to a player, so the
-- player is asked for a name before anything else; Cancel leaves the title
-- without one.
if GetNumUsers() == 0 then DoModal("scripts/entername.lua") end
