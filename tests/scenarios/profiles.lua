-- The players window from the title: the players by name, the current one
-- chosen. A double click makes another player current, with that player's
-- own saves; deleting asks first and chooses the player before; "Delete"
-- goes once fewer than two players are left; "New player" asks for a name.

local demo = require("lib.demo")

local function open_players()
  demo.click_on("btn_Players")
  tick(10) -- the menu opens the window on its next tick; its panel slides in
  assert(top_modal() == "profiles", tostring(top_modal()))
end

demo.enter_name("A")
game_lua("CreateNewUser('B') CreateNewUser('C')")
assert(pref("curuser") == "2")
tick(10)
open_players()
assert(text("profile0") == "A" and text("profile1") == "B" and text("profile2") == "C")
assert(window("profile3") == "hidden" and window("profile4") == "hidden")
assert(window("profiles_slider") == "hidden")
assert(text("selected_slot") == "C")

demo.click_on("profile0")
assert(pref("curuser") == "2", "one click only chooses")
demo.click_on("profile0")
assert(pref("curuser") == "0")
tick(10) -- slides out and closes
assert(top_modal() == "mainmenu")
assert(text("welcome") == "Welcome, A!")
demo.start_new_game()
key("t")
assert(pref("save", 0):find('ind="1"', 1, true), "A's quick save")
assert(pref("save", 1) == nil and pref("save", 2) == nil, "nobody else's")

key("escape")
demo.click_on("btn_MainMenu")
tick(10)
open_players()
assert(window("btnDelete") == "shown")
demo.click_on("profile0")
demo.click_on("btnDelete")
assert(top_modal() == "yesno")
demo.click_on("yes")
assert(top_modal() == "profiles")
assert(text("profile0") == "B" and text("profile1") == "C" and window("profile2") == "hidden")
assert(pref("curuser") == "1")
assert(text("selected_slot") == "C")

-- One player left, then none: nothing to delete.
demo.click_on("profile0")
demo.click_on("btnDelete")
demo.click_on("yes")
assert(text("profile0") == "C" and window("profile1") == "hidden")
assert(window("btnDelete") == "hidden")
game_lua("DeleteUser(0) onListChanged()")
assert(window("profile0") == "hidden")
assert(window("btnDelete") == "hidden")

-- A new player, and a name already taken.
demo.click_on("btnNew")
assert(top_modal() == "entername")
demo.click_on("nameedit")
type_text("D")
demo.click_on("btn_Ok")
assert(top_modal() == "profiles")
assert(text("profile0") == "D" and text("selected_slot") == "D")
demo.click_on("btnNew")
demo.click_on("nameedit")
type_text("D")
demo.click_on("btn_Ok")
assert(top_modal() == "entername" and text("entername_note") == "That name is taken.")
