-- Checks that a player's item came through a mini-game: held, or in a cell
-- of the main inventory, with the items registry and a quick save saying
-- the same.
local demo = require("lib.demo")
local kept = {}

-- Where the item is now: "hand", "main" or nil.
function kept.where(name)
  if held() == name then return "hand" end
  for _, item in ipairs(panel().main.items) do
    if item == name then return "main" end
  end
  return nil
end

-- The item is where `want` says ("hand", "main", or either when nil), the
-- registry agrees, and a quick save keeps it there.
function kept.check(name, want)
  local where = kept.where(name)
  assert(where, name .. " is neither in the hand nor in the main inventory")
  assert(want == nil or where == want, name .. " is in the " .. where .. ", not the " .. tostring(want))
  local place = registry(name)
  assert(place == (where == "hand" and 1 or 2), name .. "'s record says place " .. tostring(place))
  demo.close_hints()
  key("t")
  tick(1)
  local slot = save_document():match('<save save_name="Quick save".-</save>')
  assert(slot, "no quick save")
  if where == "hand" then
    assert(slot:find('<pointer_item item_id="' .. name .. '"/>', 1, true), "the save has no " .. name .. " in the hand")
  else
    local main = slot:match("<main_inventory.-</main_inventory>")
    assert(main and main:find('item_id="' .. name .. '"', 1, true), "the save has no " .. name .. " in the main inventory")
  end
end

return kept
