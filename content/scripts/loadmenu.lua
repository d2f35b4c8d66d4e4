-- The load window as the title opens it (the main menu's "Load game"): see
-- scripts/load.lua.
load_from_title = true
DoModal("scripts/load.lua")
