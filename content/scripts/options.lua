-- The options, from the title and from the local menu: sound effects and
-- music (on or off, and how loud), full screen and autosaves. The sliders
-- and switches are heard at once; OK keeps them, Cancel puts back what was
-- kept. Full screen and autosaves change the moment they are clicked.
DoModal("scripts/menukit.lua")

local controls = {
  {type = "TImage", name = "options_bg", x = 0, y = 0, image = "images/ui/menu_panel.png"},
  MenuKit.title("options_title", 420, "options_title"),
}
MenuKit.check(controls, "mutesfx", 60, 70, "sound_effects")
controls[#controls + 1] = MenuKit.slider("sfxlevelslider", 60, 108)
MenuKit.check(controls, "mutemusic", 60, 156, "music")
controls[#controls + 1] = MenuKit.slider("musiclevelslider", 60, 194)
MenuKit.check(controls, "fullscreen", 60, 250, "full_screen", function() ToggleFullScreen() end)
MenuKit.check(controls, "autosave", 60, 300, "autosaves", function() ToggleAutoSave() end)
MenuKit.add(controls, {
  MenuKit.button("btn_Ok", 20, 396, "ok"),
  MenuKit.button("btn_Cancel", 220, 396, "cancel"),
})

Window(MenuKit.screen("optionsmenu", {
  {type = "OptionsWindow", name = "optionswnd", x = 0, y = 0, w = 800, h = 600,
    MenuKit.add({type = "SlidingPanel", name = "panel", x = 800, y = 65, w = 420, h = 470,
             pos_anim = MenuKit.slide_from_right(190, 65)}, controls)},
}))
