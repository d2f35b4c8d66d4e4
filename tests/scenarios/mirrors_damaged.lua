-- The mirror board from damaged saves: a marker laid with a mirror the game
-- does not have, one with a "v" that is neither 0 nor 1, one mirror on two
-- markers, and a laid marker far off the board. Each is said on stderr and
-- held to what a game has: every one of the nine mirrors once, on the board,
-- in the panel or in the hand, each marker in its place; and the game is
-- then won as any other.

local demo = require("lib.demo")
local mirrors = require("lib.mirrors")

demo.start_new_game()
go("tower_mirrors")
mirrors.lay(0, 1)
mirrors.lay(1, 2)
key("t")
tick(2)
local saved = save_document()
assert(saved:find('id="mirrors_mirror2"', 1, true), "the two mirrors are saved laid")

local cases = {
  {what = "a mirror the game does not have", reports = 2, laid = 1,
   change = function(m) m[1].id = "mirrors_mirror99" end},
  {what = "a v of 2", reports = 2, laid = 1, change = function(m) m[2].v = "2" end},
  {what = "one mirror on two markers", reports = 1, laid = 2,
   change = function(m) m[3].v, m[3].id = "1", "mirrors_mirror1" end},
  {what = "a laid marker off the board", reports = 1, laid = 2, change = function(m) m[1].x = "1e308" end},
  {what = "an empty marker off the board", reports = 1, laid = 2, change = function(m) m[3].y = "-9000" end},
}
local places = {}
for i = 1, 5 do places[i] = {mirrors.marker(i).x, mirrors.marker(i).y} end
for _, c in ipairs(cases) do
  set_save_document(mirrors.rewrite(saved, c.change))
  local before = reports()
  key("x")
  demo.wait_active("tower_mirrors")
  assert(reports() - before == c.reports, c.what .. ": " .. reports() - before .. " report(s)")
  local seen, laid = mirrors.count(), 0
  for n = 1, 9 do
    local name = "mirrors_mirror" .. n
    assert(seen[name] == 1, c.what .. ": " .. name .. " " .. tostring(seen[name]) .. " times")
  end
  for i = 1, 5 do
    if mirrors.marker(i).v == 1 then laid = laid + 1 end
  end
  assert(laid == c.laid, c.what .. ": " .. laid .. " laid")
  for i = 1, 5 do
    local m = mirrors.marker(i)
    assert(m.x == places[i][1] and m.y == places[i][2], c.what .. ": marker " .. i .. " at " .. m.x .. ", " .. m.y)
  end
  assert(not seen.mirrors_mirror99)

  for i = 1, 3 do
    if mirrors.marker(i).v == 0 then mirrors.lay_any(i) end
  end
  game_lua("onDoneClick()")
  assert(minigame().state == 1, c.what .. ": not solved")
  tick_until(function() return held() == "sun_disc" end, 300, c.what .. ": the sun disc")
  demo.wait_active("tower")
end
