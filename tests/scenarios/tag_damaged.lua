-- The stone tiles from damaged saves: a "tags" without tiles, and tiles
-- whose cells lie outside the field. Each is said on stderr and a new
-- field is shuffled, which the exit button then keeps for the next visit
-- without a word more; and a new field can be solved.

local demo = require("lib.demo")
local tag = require("lib.tag")

demo.start_new_game()
go("tower_tag")
key("t")
tick(2)
local saved = save_document()
assert(saved:find("<tags ", 1, true), "the tiles are saved")

local cases = {
  {what = "no tiles", document = saved:gsub("<items>.-</items>", "<items/>")},
  {what = "a tile outside the field",
   document = tag.rewrite(saved, function(a) if a.sym_s == "1" then a.lx, a.ix = "5", "7" end end)},
}
for _, c in ipairs(cases) do
  set_save_document(c.document)
  local before = reports()
  key("x")
  demo.wait_active("tower_tag")
  assert(reports() - before == 1, c.what .. ": " .. reports() - before .. " report(s)")
  local field = minigame().items
  assert(#field == 9, c.what .. ": " .. #field .. " tiles")
  local cells = {}
  for _, t in ipairs(field) do cells[t.ly * 3 + t.lx] = true end
  for i = 0, 8 do assert(cells[i], c.what .. ": cell " .. i .. " empty") end

  -- Left, and entered again: the new field, with no word more.
  game_lua("onClearClick()")
  demo.wait_active("tower")
  before = reports()
  go("tower_tag")
  assert(#minigame().items == 9 and reports() == before, c.what .. ": the field kept")
end

-- The last one solved: every slide home, then each symbol turned upright.
for _, n in ipairs(tag.slides()) do tag.slide(n) end
for n = 1, 8 do
  while not tag.over() and tag.tile(n).s ~= 0 do
    tag.click_tile(n)
    if tag.tile(n).sel ~= 1 then tag.click_tile(n) end
  end
end
assert(flag("tag_won") == "true" and held() == "tower_key", tostring(held()))
demo.wait_active("tower")
