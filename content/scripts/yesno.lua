-- The dialog DisplayDialog opens unless it is given another: the question
-- (dialog_title and dialog_body, string keys) with Yes and No. Yes closes
-- the dialog, then runs dialog_yes.
DoModal("scripts/menukit.lua")
local yes = dialog_yes

Window(MenuKit.screen("yesno", {
  {type = "TImage", name = "yesno_bg", x = 240, y = 170, image = "images/ui/dialog.png"},
  MenuKit.text("dialog_title", 250, 190, 300, 30, GetString(dialog_title), 22, "center"),
  {type = "TText", name = "dialog_body", x = 260, y = 236, w = 280, h = 70, text = GetString(dialog_body),
    size = 18, color = {250, 236, 200}, align = "center", wrap = true},
  {type = "TButton", name = "yes", x = 280, y = 350, w = 100, h = 30, label = GetString("yes"),
    command = function() CloseWindow() if yes then yes() end end},
  {type = "TButton", name = "no", x = 420, y = 350, w = 100, h = 30, label = GetString("no"),
    command = function() CloseWindow() end},
}))
