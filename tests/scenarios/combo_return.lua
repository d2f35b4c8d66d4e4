-- The bundle of tools given back over the saw, which still lies on the
-- workshop's floor: the bundle leaves the scene for good (nowhere to be
-- found, not in the hand), the three tools it stands for are recorded in
-- the scene, and the saw, the pliers and the chisel lying there are each
-- taken by a click, as before. "restore_item" naming the bundle does the
-- same.

local ws = require("lib.workshop")

local TOOLS = {saw = {160, 470}, pliers = {220, 470}, chisel = {280, 470}}

ws.enter()
give("tool_bundle")
click(TOOLS.saw[1], TOOLS.saw[2])
assert(held() == nil, "given back: " .. tostring(held()))
assert(item("tool_bundle") == nil, "the bundle is gone from the scene")
for name, at in pairs(TOOLS) do
  assert(registry(name) == 0, name .. " recorded in the scene")
  click(at[1], at[2])
  assert(held() == name, name .. " is taken: " .. tostring(held()))
  click(at[1], at[2]) -- and put back
  assert(held() == nil)
end

-- "restore_item" naming the bundle returns its tools the same way.
act('<action type="restore_item" item_id="tool_bundle"/>')
assert(item("tool_bundle") == nil, "restored, the bundle is not listed either")
click(TOOLS.saw[1], TOOLS.saw[2])
assert(held() == "saw", "the saw is still taken: " .. tostring(held()))
