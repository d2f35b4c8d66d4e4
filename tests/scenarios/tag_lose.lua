-- The exit button of the stone tiles loses: the lose flag, nothing in the
-- hand, back in the tower. The field is kept for the next visit, until a
-- save made outside the game, after which the next visit shuffles anew.

local demo = require("lib.demo")
local tag = require("lib.tag")

local function field()
  local out = {}
  for _, t in ipairs(minigame().items) do
    out[#out + 1] = string.format("%d:%d,%d,%d,%d", t.sym_s, t.lx, t.ly, t.s, t.tag_s)
  end
  return table.concat(out, " ")
end

demo.start_new_game()
go("tower_tag")
tag.slide(tag.slides()[1])
local played = field()

game_lua("onClearClick()")
assert(flag("tag_lost") == "true")
assert(flag("tag_won") == "null")
assert(held() == nil)
demo.wait_active("tower")

go("tower_tag")
assert(field() == played, "the same tiles: " .. field() .. " / " .. played)
go("tower")
key("t")
tick(2)
go("tower_tag")
assert(field() ~= played, "a new field")
assert(minigame().state == 0)
