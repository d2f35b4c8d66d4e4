-- Saves damaged in one part load with that part reported and made sound,
-- and every other slot stays: a timer record that does not read loads
-- stopped (the player is not killed by a hazard with no time left), magic
-- button numbers out of range are held to their range, an item the save
-- puts in two cells and the hand is made once, where it comes first, and a
-- document cut short inside its last slot keeps the slots before the cut
-- and sets only the cut one aside, with the notice.

local demo = require("lib.demo")
demo.start_new_game()
give("lamp")
key("t")
local quick = save_document():match("<save .-</save>")
assert(quick and quick:find('<pointer_item item_id="lamp"/>', 1, true), "the quick save holds the lamp")
local kept = quick:gsub('save_name="Quick save" ind="1"', 'save_name="Kept" ind="2"')

-- The first match replaced.
local function sub(text, pattern, replacement)
  local out, n = text:gsub(pattern, replacement, 1)
  assert(n == 1, "no match for " .. pattern)
  return out
end

local function main_items()
  local out = {}
  for i, name in ipairs(panel().main.items) do out[i] = name or "-" end
  return table.concat(out, ",")
end

local function poison_stopped()
  tick(5)
  return timers().poison.state == 1 and scene() == "living_room"
end

local rows = {
  {
    what = "a timer whose state is a word",
    slot = sub(quick, '<poison state="%d+" left_time="%d+"/>', '<poison state="running" left_time=""/>'),
    reports = 1,
    check = poison_stopped,
  },
  {
    what = "a timer with a negative time",
    slot = sub(quick, '<poison state="%d+" left_time="%d+"/>', '<poison state="0" left_time="-1"/>'),
    reports = 1,
    check = poison_stopped,
  },
  {
    what = "a magic button's count past every range",
    slot = sub(quick, '<button isSmall="false" isMagic="false" magicState="0" magicTimerVal="0" locked="1"/>',
      '<button isSmall="true" isMagic="true" magicState="0" magicTimerVal="2147483647" locked="0"/>'),
    reports = 1,
    check = function()
      tick(2)
      return select(5, magic("fire")) == true
    end,
  },
  {
    what = "one item in two cells and the hand",
    slot = sub(sub(quick, "<cell0/>", '<cell0 item_id="lamp"/>'), "<cell3/>", '<cell3 item_id="lamp"/>'),
    reports = 2,
    check = function()
      return held() == nil and main_items():find("^lamp,%-,%-,%-") ~= nil
    end,
  },
}

for _, row in ipairs(rows) do
  demo.wait_active("living_room")
  set_save_document("<save_data>" .. row.slot .. kept .. "</save_data>")
  local before = reports()
  key("x")
  tick(1)
  assert(row.check(), row.what)
  assert(reports() == before + row.reports, row.what .. ": " .. (reports() - before) .. " report(s)")
  assert(save_document():find('save_name="Kept" ind="2"', 1, true), row.what .. ": the other slot")
end

-- Cut short inside the second slot: the first loads, the cut one is set
-- aside with the notice, and a save goes on beside the first.
local cut = kept:sub(1, 300)
demo.wait_active("living_room")
set_save_document("<save_data>" .. quick .. cut)
key("x")
tick(1)
assert(window("notice") == "shown", "the notice")
local said = text("notice_text")
assert(said:find("save_damaged", 1, true) and said:find("cut short", 1, true), said)
assert(pref("save_damaged", 0) == cut, "only the cut slot is set aside")
assert(held() == "lamp", "the whole slot has loaded")
local doc = save_document()
assert(doc:find('ind="1"', 1, true) and not doc:find('ind="2"', 1, true), doc)
click(400, 395) -- OK
tick(1)
key("t")
assert(save_document():find('save_name="Quick save" ind="1"', 1, true))
