-- The scene picker, a tool for trying content out during play:
--   DoModal("scripts/pickscene.lua")
-- A world's button lists its scenes; a scene's button goes there. An item's
-- name typed in the field and "Give item" put it in the empty hand.
DoModal("scripts/menukit.lua")

-- Room for forty scenes a world, five columns of eight.
local kWorlds, kScenes, kRows = 4, 40, 8

function ClearScenes()
  for i = 0, kScenes - 1 do ShowWindow("scene" .. i, false) end
end

local children = {
  {type = "TImage", name = "pickscene_bg", x = 0, y = 0, image = "images/backdrop.png"},
  MenuKit.title("pickscene_title", 800, "pick_scene"),
}
for i = 0, kWorlds - 1 do
  children[#children + 1] = MenuKit.button("world" .. i, 20 + i * 190, 60, "", function() ShowScenes(i) end)
end
children[#children + 1] = MenuKit.text("world_name", 0, 116, 800, 26, "", 20, "center")
for i = 0, kScenes - 1 do
  local column, row = math.floor(i / kRows), i % kRows
  children[#children + 1] = {type = "TButton", name = "scene" .. i, x = 14 + column * 156, y = 150 + row * 42,
    w = 150, h = 36, normal = "images/ui/pick_normal.png", hover = "images/ui/pick_hover.png",
    pressed = "images/ui/pick_on.png", size = 14, color = {250, 236, 200},
    command = function() GoToScene(i) end}
end
MenuKit.field(children, "itemedit", 170, 496, 32)
MenuKit.add(children, {
  MenuKit.button("getitem", 490, 490, "give_item"),
  MenuKit.button("pickscene_close", 610, 546, "close", function() CloseWindow() end),
})

Window(MenuKit.screen("pickscene", {
  MenuKit.add({type = "PickSceneWindow", name = "pickscenewnd", x = 0, y = 0, w = 800, h = 600}, children),
}))
ClearScenes()
-- World buttons beyond the configured worlds have no name: they go.
for i = 0, kWorlds - 1 do
  if GetText("world" .. i) == "" then ShowWindow("world" .. i, false) end
end
