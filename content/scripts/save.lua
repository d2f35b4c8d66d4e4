-- The save window, from the local menu: five of ten numbered slots (saves
-- 2 and up) with a slider, the name field and OK. A click on a slot offers
-- its name; OK saves under the typed name and closes the window.
DoModal("scripts/menukit.lua")

local controls = {
  {type = "TImage", name = "save_bg", x = 0, y = 0, image = "images/ui/menu_panel.png"},
  MenuKit.title("save_title", 420, "save_title"),
}
MenuKit.rows(controls, "save", 5, 60, 60)
controls[#controls + 1] = MenuKit.slider("saveslider", 60, 276)
MenuKit.field(controls, "saveedit", 60, 320, 24)
MenuKit.add(controls, {
  MenuKit.button("btn_Ok", 20, 396, "ok"),
  MenuKit.button("btn_Cancel", 220, 396, "cancel", function() CloseWindow() end),
})
Window(MenuKit.screen("save", {
  MenuKit.add({type = "SaveWindow", name = "savewnd", x = 190, y = 65, w = 420, h = 470, visible_slots = 5},
          controls),
}))
