-- Counts how often the game asks, then asks.
quit_asked = (quit_asked or 0) + 1
DoModal("scripts/quitbox.lua")
