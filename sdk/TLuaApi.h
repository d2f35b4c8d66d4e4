#pragma once
// The globals that content scripts call to build and close windows (Window,
// DoModal, PopModal, CloseWindow, DisplayDialog, SendGameMessage, GetString).
// docs/lua-api.md is the authors' reference.

class TScript;

// Called once by TScript's constructor.
void RegisterLuaApi(TScript& script);
