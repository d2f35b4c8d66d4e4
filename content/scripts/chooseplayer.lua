-- The players window, from the title ("Players"): the players by name; a
-- click chooses one, a second click on it (or Choose) makes it current with
-- its own saves and options. New player asks for a name, Delete asks first.
DoModal("scripts/menukit.lua")

local function greet()
  if SetWelcomeName then SetWelcomeName() end
end

local controls = {
  {type = "TImage", name = "profiles_bg", x = 0, y = 0, image = "images/ui/menu_panel.png"},
  MenuKit.title("profiles_title", 420, "players_title"),
}
MenuKit.rows(controls, "profile", 5, 60, 60, function() return greet end)
MenuKit.add(controls, {
  MenuKit.slider("profiles_slider", 60, 276),
  MenuKit.text("selected_slot", 0, 302, 420, 26, "", 20, "center"),
  MenuKit.button("btnChange", 20, 340, "choose", greet),
  MenuKit.button("btnNew", 220, 340, "new_player", function() DoModal("scripts/entername.lua") end),
  MenuKit.button("btnDelete", 20, 400, "delete"),
  MenuKit.button("btnBack", 220, 400, "back", function() greet() PopModal("profiles") end),
})

Window(MenuKit.screen("profiles", {
  {type = "ProfilesWindow", name = "profileswnd", x = 0, y = 0, w = 800, h = 600,
    kVisibleSlots = 5, kMaxSlots = 10,
    MenuKit.add({type = "SlidingPanel", name = "panel", x = 800, y = 65, w = 420, h = 470,
             pos_anim = MenuKit.slide_from_right(190, 65)}, controls)},
}))
