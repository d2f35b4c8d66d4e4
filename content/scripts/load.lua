-- The load window: the player's saves, autosave and quick save included. A
-- click chooses a save, a second click on it (or OK) loads it.
-- Run as it is, from the local menu: the modal "load", and the save loads
-- into the running game. Run by scripts/loadmenu.lua, which sets
-- load_from_title: the modal "loadmenu", its controls in a panel that
-- slides in from the right, and the game starts from the save.
DoModal("scripts/menukit.lua")
local fromTitle = load_from_title
load_from_title = nil

local controls = {
  {type = "TImage", name = "load_bg", x = 0, y = 0, image = "images/ui/menu_panel.png"},
  MenuKit.title("load_title", 420, "load_title"),
}
MenuKit.rows(controls, "load", 5, 60, 60)
MenuKit.add(controls, {
  MenuKit.slider("loadslider", 60, 276),
  MenuKit.text("selected_slot", 0, 320, 420, 26, "", 20, "center"),
  MenuKit.button("btn_Ok", 20, 396, "ok"),
  MenuKit.button("btn_Cancel", 220, 396, "cancel"),
})

local window
if fromTitle then
  window = {type = "LoadWindow", name = "loadwnd", x = 0, y = 0, w = 800, h = 600, visible_slots = 5,
    MenuKit.add({type = "SlidingPanel", name = "panel", x = 800, y = 65, w = 420, h = 470,
             pos_anim = MenuKit.slide_from_right(190, 65)}, controls)}
else
  window = MenuKit.add({type = "LoadWindow", name = "loadwnd", x = 190, y = 65, w = 420, h = 470,
                    visible_slots = 5}, controls)
end
Window(MenuKit.screen(fromTitle and "loadmenu" or "load", {window}))
