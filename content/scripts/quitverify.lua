-- Run by the game when the player asks to close the window. It asks first;
-- the dialog is named "yesnobox", and while it is on top the game asks
-- nothing again on a further close request.
DoModal("scripts/quitbox.lua")
