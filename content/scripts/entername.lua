-- The window in which a new player's name is typed: at the first start,
-- over the title, and from the players window ("New player"). OK makes the
-- player and makes it current; Cancel leaves everything as it was.
DoModal("scripts/menukit.lua")

local function accept()
  local name = GetText("nameedit") or ""
  if name == "" then
    SetText("entername_note", GetString("name_empty"))
  elseif IsNameInUse(name) then
    SetText("entername_note", GetString("name_in_use"))
  else
    CreateNewUser(name)
    CloseWindow()
    if onListChanged then onListChanged() end
    if SetWelcomeName then SetWelcomeName() end
  end
end

local controls = {
  {type = "TImage", name = "entername_bg", x = 0, y = 0, image = "images/ui/name_panel.png"},
  MenuKit.title("entername_title", 420, "enter_name"),
}
MenuKit.field(controls, "nameedit", 60, 80, 20)
MenuKit.add(controls, {
  MenuKit.text("entername_note", 0, 124, 420, 24, "", 16, "center"),
  MenuKit.button("btn_Ok", 20, 190, "ok", accept),
  MenuKit.button("btn_Cancel", 220, 190, "cancel", function() CloseWindow() end),
})
Window(MenuKit.screen("entername", {
  MenuKit.add({type = "EnterName", name = "enternamewnd", x = 190, y = 230, w = 420, h = 260}, controls),
}))
