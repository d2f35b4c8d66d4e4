-- The bundled demo reports no fault of its own: every scene of every world,
-- as the scene picker lists them, is visited and played a while; the quest
-- book is opened and read to its last spread; the panel's menu and the
-- windows it opens are shown and closed. Not one line on stderr.

local demo = require("lib.demo")
local bk = require("lib.book")
local pn = require("lib.panel")

demo.start_new_game()

-- Every world the picker lists, each with its scenes in their order.
local worlds = {}
game_lua("DoModal('scripts/pickscene.lua')")
for w = 0, 15 do
  game_lua("ShowScenes(" .. w .. ")")
  local name = text("world_name")
  if worlds[#worlds] and worlds[#worlds].name == name then break end
  local scenes = {}
  local s = 0
  while window("scene" .. s) == "shown" do
    scenes[#scenes + 1] = text("scene" .. s)
    s = s + 1
  end
  worlds[#worlds + 1] = {name = name, scenes = scenes}
end
demo.click_on("pickscene_close")
assert(#worlds >= 3, #worlds .. " worlds")

local ends = {}
for _, world in ipairs(worlds) do
  for _, id in ipairs(world.scenes) do
    -- The game's end comes last: the game is over there.
    if id == "the_end" then
      ends[#ends + 1] = world.name
    else
      demo.go_to(world.name, id)
      tick_until(function() return scene() == id and select(2, scene()) == 1 end, 400, world.name .. "/" .. id)
      for _ = 1, 60 do
        if window("hint") == "shown" then game_lua("if onHintOkClick then onHintOkClick() end") end
        -- A game's tutorial dialog is read and closed, as a player would.
        local top = top_modal()
        if top ~= "thegame" and window(top .. "_ok") == "shown" then demo.click_on(top .. "_ok") end
        tick(1)
      end
      assert(reports() == 0, world.name .. "/" .. id .. ": " .. reports() .. " report line(s)")
    end
  end
end

-- The book, from the living room's shelf, read to its last spread.
demo.go_to("home", "living_room")
demo.close_hints()
bk.open()
bk.settle()
while book().cur < #book().sheets do
  local cur = book().cur
  bk.click(bk.RIGHT)
  bk.settle()
  if book().cur == cur then break end
end
assert(book().cur >= 2, "the book read on to spread " .. book().cur)
bk.click(bk.CLOSE)
demo.wait_active("living_room")
assert(reports() == 0, "the book: " .. reports() .. " report line(s)")

-- The panel's menu and the windows it opens.
pn.click("menu")
tick(2)
assert(top_modal() == "localmenu", tostring(top_modal()))
for _, name in ipairs({"btn_Save", "btn_Load", "btn_Options"}) do
  demo.click_on(name)
  tick(10) -- a panel may slide in
  assert(top_modal() ~= "localmenu", name .. " opens its window")
  demo.click_on("btn_Cancel")
  tick(10) -- and out
  assert(top_modal() == "localmenu", name .. "'s window closes: " .. tostring(top_modal()))
end
demo.click_on("btn_Resume")
assert(top_modal() == "thegame")
assert(reports() == 0, "the menu: " .. reports() .. " report line(s)")

-- Each world's end, last: the game is over there, but the picker still
-- leads on.
assert(#ends >= 2, #ends .. " game-over scenes")
for _, world in ipairs(ends) do
  demo.go_to(world, "the_end")
  tick(100)
  assert(reports() == 0, world .. "/the_end: " .. reports() .. " report line(s)")
end
