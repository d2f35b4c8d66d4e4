-- First start on empty preferences: no player; the display opens full screen
-- from the global "fullscreen" read with its default; players are created,
-- made current and deleted through the menus' Lua functions.
tick(1)
assert(game_lua("return GetNumUsers()") == "0")
assert(pref("curuser") == "-1")
assert(pref("fullscreen") == nil, "read with its default, not written")

game_lua("CreateNewUser('Ann')")
assert(pref("curuser") == "0")
assert(pref("name", 0) == "Ann")
assert(pref("soundlevel", 0) == "1000")
assert(pref("musiclevel", 0) == "1000")
assert(pref("soundoff", 0) == "0")
assert(pref("musicoff", 0) == "0")
assert(pref("fullscreen", 0) == "1")

game_lua("CreateNewUser('Bob')")
game_lua("CreateNewUser('Cy')")
assert(pref("curuser") == "2")
assert(game_lua("return IsNameInUse('Bob'), IsNameInUse('bob')") == "true")
game_lua("SetCurrentUser(0)")
assert(pref("curuser") == "0")
game_lua("SetCurrentUser(3)") -- no such player: nothing changes
assert(pref("curuser") == "0")

-- Deleting the first player moves the others down; with no player before
-- it, the last one becomes current.
game_lua("DeleteUser(0)")
assert(game_lua("return GetNumUsers()") == "2")
assert(pref("name", 0) == "Bob")
assert(pref("name", 1) == "Cy")
assert(pref("curuser") == "1")
game_lua("DeleteUser(1)")
assert(pref("curuser") == "0")
game_lua("ChangeCurrentUserName('Robert')")
assert(pref("name", 0) == "Robert")
game_lua("DeleteUser(0)")
assert(pref("curuser") == "-1")
assert(game_lua("return GetNumUsers()") == "0")

-- It opened full screen: the first switch gives a window and stores 0; the
-- switch back stores 1.
assert(game_lua("return ToggleFullScreen()") == "true")
tick(1)
assert(pref("fullscreen") == "0")
assert(game_lua("return ToggleFullScreen()") == "true")
tick(1)
assert(pref("fullscreen") == "1")
