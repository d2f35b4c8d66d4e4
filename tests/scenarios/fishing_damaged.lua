-- A damaged fishing record in a save, on the second visit (where done only
-- hints until the key fish is landed): a rod state the game has not, a
-- drop with a home rod's look, a rod at home that is not still. Each is
-- reported once loaded, and the rod comes down to its home, where it is
-- drawn and a click on the water casts; from there the key fish and the
-- way out are as in any game.

local fishing = require("lib.fishing")
local demo = require("lib.demo")

fishing.enter()
fishing.done()
demo.wait_active("pier")
go("pier_fishing")
fishing.wait_home()
key("t")
local doc = save_document()
assert(doc:find('<fishing [^>]*state="0"'), "the rod at home is saved")

local function damaged(changes)
  return (doc:gsub("<fishing [^>]*/>", function(record)
    for name, value in pairs(changes) do
      local n
      record, n = record:gsub(" " .. name .. '="[^"]*"', " " .. name .. '="' .. value .. '"')
      assert(n == 1, name .. " in " .. record)
    end
    return record
  end))
end

local cases = {
  {"rod state 1 looking as at home", {state = "1"}},
  {"rod state 2", {state = "2"}},
  {"rod state 5", {state = "5"}},
  {"rod state -1", {state = "-1"}},
  {"substate 2 at home", {substate = "2"}},
  {"a float far off", {state = "3", rod_state = "rest", rod_x = "2147483647"}},
}
for _, case in ipairs(cases) do
  local what = case[1]
  set_save_document(damaged(case[2]))
  local before = reports()
  key("x")
  demo.wait_active("pier_fishing")
  assert(reports() > before, what .. ": not reported")
  -- A float in the water is struck home.
  local s = minigame().state
  if s == 3 or s == 4 then
    move(780, 120)
    tick(1)
    assert(fishing.float_seen(), what .. ": the float is not on the water")
    fishing.strike()
  end
  fishing.wait_home()
  move(780, 120)
  tick(1)
  local seen, why = fishing.float_seen()
  assert(seen, what .. ": " .. tostring(why))
  click(300, 350)
  tick(1)
  assert(minigame().substate == 8, what .. ": no cast")
end

-- The last damaged game played on to its end.
fishing.wait_state(3, 4)
fishing.strike()
assert(fishing.until_key(), "no key fish")
fishing.done()
demo.wait_active("pier")
assert(held() == "pier_key" and flag("fish_key") == "true", tostring(held()))
