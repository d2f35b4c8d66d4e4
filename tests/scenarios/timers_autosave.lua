-- An autosave asked for as a mission's "autosave" result asks: refused,
-- without a word, while the poison runs with less than its second
-- (autosave_cfg/poison_time) left; once the poison has stopped, slot 0 is
-- written.

local demo = require("lib.demo")
local pond = require("lib.pond")

local function autosaved() return save_document():find('save_name="Autosave"', 1, true) ~= nil end

pond.enter()
pond.eat("mushroom")
tick_until(function() return timers().poison.left < 1000 end, 70, "under a second")
demo.close_hints()
assert(timers().poison.state == 0 and timers().poison.left < 1000)
autosave()
tick(1)
assert(not autosaved(), "no autosave a moment from death")
assert(window("popup") == nil, "and nothing said")

-- The poison runs out (the end screen) and stops: now it saves.
demo.wait_active("the_end")
assert(timers().poison.state == 1)
autosave()
tick(1)
assert(autosaved(), "written into slot 0")
assert(window("popup") == "shown" and text("popup_text") == "Game saved automatically")
assert(reports() == 0, reports() .. " report line(s)")
