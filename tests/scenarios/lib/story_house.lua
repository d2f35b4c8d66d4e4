-- The demo story's walk through the house, played as a player plays it:
-- the guide's hints read in their windows, the gallery's note and statue,
-- the parlour's talk, the nursery's lesson with its page and the matches.
local demo = require("lib.demo")
local house = {}

local function paused() return select(4, scene()) end

-- The kind of the hint window that shows, by its layout
-- (content/scripts/hint_*.lua): the big one slides its part up from below,
-- the self-closing one sits high, the small one low.
local function hint_kind()
  if window("hint_part") then return "big" end
  local _, y = window_rect("hint_bg")
  if y == 40 then return "autodelete" end
  if y == 400 then return "small" end
  return "unknown at y " .. tostring(y)
end

-- Waits for the hint of text `key` (a string-table key) in a window of
-- `kind` ("small", "big", "autodelete"), checks that it holds the scene,
-- and closes it as a player does: a click on the small one, OK once the
-- big one has slid up, nothing at all for the self-closing one. The scene
-- plays again afterwards unless another hint follows at once.
function house.read_hint(kind, key)
  tick_until(function() return window("hint") == "shown" end, 10, "the hint " .. key)
  local want = string_table(key)
  assert(text("hint_text") == want, key .. ": " .. tostring(text("hint_text")))
  assert(hint_kind() == kind, key .. " in a " .. hint_kind() .. " window, not " .. kind)
  assert(paused(), key .. " holds the scene")
  if kind == "small" then
    click(400, 300)
    assert(window("hint") == nil, key .. ": closed by the click")
  elseif kind == "big" then
    tick_until(function() return select(2, window_rect("hint_part")) == 290 end, 60, key .. " slid up")
    tick(20)
    assert(window("hint") == "shown", key .. " waits for OK")
    demo.click_on("hint_ok")
    tick_until(function() return window("hint") ~= "shown" or text("hint_text") ~= want end, 60,
               key .. " slid away")
  else
    tick(140)
    assert(window("hint") == "shown", key .. " stays a while")
    tick_until(function() return window("hint") ~= "shown" or text("hint_text") ~= want end, 20,
               key .. " closed by itself")
  end
end

-- The living room lit and its coin found: the coin's word (once, small),
-- the light's two words (big, then self-closing), the coin put back; then
-- out into the hall.
function house.living_room()
  click(500, 420) -- the coin
  assert(held() == "coin")
  house.read_hint("small", "hint_coin")
  assert(flag("coin_hint_read") == "true", "the coin's word read")
  click(115, 240) -- the light
  assert(mission("light_the_house") and mission("the_house_is_lit"))
  house.read_hint("big", "hint_house_lit")
  house.read_hint("autodelete", "hint_find_the_way")
  demo.wait_active("living_room")
  click(400, 200) -- the coin back in its place
  assert(held() == nil)
  click(500, 420)
  tick(2)
  assert(window("hint") == nil, "the coin's word shows once")
  click(400, 200)
  assert(held() == nil)
  click(670, 300)
  demo.wait_active("hall")
end

-- From the hall through the study into the gallery: the statue takes the
-- token for its fee, the letter is read large and given back to the hand,
-- then put back where it lay.
function house.gallery()
  click(270, 300)
  demo.wait_active("study")
  click(195, 300)
  demo.wait_active("gallery")
  click(130, 470) -- the token
  assert(held() == "token")
  move(150, 300)
  tick(1)
  assert(pointer() == "stEye", "the statue offers a look at the token: " .. tostring(pointer()))
  click(150, 300)
  assert(flag("paid") == "true" and held() == nil, "the statue took its fee")

  click(380, 470) -- the letter
  assert(held() == "letter")
  local seen = #events()
  click(480, 200, "right")
  tick(1)
  assert(select(2, item("letter")) == "stLarge" and held() == nil, "read large, out of the hand")
  assert(demo.events_since(seen):find("note_read letter", 1, true), demo.events_since(seen))
  assert(paused(), "the note holds the room")
  assert(demo.any_dark(270, 165, 440, 230, 120), "the letter's words are drawn")
  click(480, 200)
  assert(held() == "letter" and not paused(), "back in the hand")
  click(480, 200) -- it has its own place: back there
  assert(held() == nil)
end

-- The parlour's old man talks as the player comes in: a click per phrase,
-- and the last gives the ticket, left on the gallery's shelf on the way
-- back.
function house.parlour()
  click(740, 300)
  demo.wait_active("parlour")
  assert(paused(), "the talk holds the room")
  tick(6)
  local r, g, b = pixel(300, 130)
  assert(r == 244 and g == 232 and b == 200, "his phrase in the upper bubble")
  click(400, 300)
  assert(held() == nil and flag("talked") == "null")
  click(400, 300)
  assert(held() == "ticket", "the talk gives the ticket: " .. tostring(held()))
  tick_until(function() return flag("talked") == "true" and not paused() end, 20, "the talk's end")
  click(50, 300) -- back to the gallery
  demo.wait_active("gallery")
  click(480, 200)
  assert(held() == nil, "the ticket on the shelf")
  assert(registry("ticket") == 4, "the ticket kept on the shelf: " .. tostring(registry("ticket")))
  assert(registry("letter") == 0, "the letter back on the floor, where it belongs")
end

-- The nursery's lesson, from the gallery: the lesson's first word allows the
-- practice box to strike a match, a lit match brings the word that allows
-- putting it out; then the real box lights the candle, and back to the
-- hall.
function house.nursery()
  click(50, 300)
  demo.wait_active("study")
  click(485, 250)
  demo.wait_active("nursery")
  local box = "living_room_tutorial_matches_box"
  local r, g, b = pixel(206, 545)
  assert(r == 255 and g == 255 and b == 0, "the lesson's star over the panel")
  tick_until(function() return window("hint") == "shown" end, 10, "the lesson's first word")
  assert(flag("tut_burn") == "null", "no match before the word is read")
  house.read_hint("small", "hint_lesson_strike")
  assert(flag("tut_burn") == "true", "read, the lesson allows a match")
  click(165, 465)
  assert(held() == box)
  click(400, 200, "right")
  assert(item(box) == "match" and flag("match_lit") == "true", "struck: " .. tostring(item(box)))
  house.read_hint("small", "hint_lesson_put_out")
  assert(flag("tut_off") == "true" and mission("the_match_lesson"), "the lesson learnt")
  click(400, 200, "right")
  assert(item(box) == box and flag("box_closed") == "true", "put out: " .. tostring(item(box)))
  click(400, 200)
  assert(held() == nil, "the practice box back on its shelf")

  -- The lesson's page, opened by the menu's Help as a player looks for
  -- it; then it is read as a player reads it: the slider dragged to its
  -- end turns to the last page, OK slides it away.
  -- The top row of its window shows which of the five bands is on top.
  key("escape")
  tick(2)
  assert(top_modal() == "localmenu", tostring(top_modal()))
  demo.click_on("btn_Help")
  tick(4)
  assert(top_modal() == "tutorialmenu")
  local function band_on_top()
    local r, g, b = pixel(400, 101)
    return r .. "," .. g .. "," .. b
  end
  assert(band_on_top() == "200,40,40", "the first page: " .. band_on_top())
  press(255, 330)
  move(400, 330)
  move(549, 330)
  release(549, 330)
  tick(1)
  assert(band_on_top() == "200,200,40", "the last page: " .. band_on_top())
  demo.click_on("tutorial_close")
  tick_until(function() return top_modal() ~= "tutorialmenu" end, 10, "the page slid away")
  assert(top_modal() == "localmenu", tostring(top_modal()))
  demo.click_on("btn_Resume")
  assert(top_modal() == "thegame" and not paused())

  click(245, 465) -- the real box
  click(400, 200, "right")
  assert(item("living_room_matches_box") == "match")
  click(358, 340) -- the candle
  assert(flag("candle_lit") == "true", "the candle lit")
  assert(held() == "living_room_matches_box" and item("living_room_matches_box") == "living_room_matches_box",
         "the match went out on the wick")
  click(400, 200)
  assert(held() == nil)
  click(60, 300)
  demo.wait_active("study")
  click(90, 300)
  demo.wait_active("hall")
end

-- Up in the attic: the feather's passing word closes by itself, the
-- shell's story waits for OK and its closing brings one more word; then
-- the ring ends the chapter with a small word.
function house.attic()
  click(600, 300)
  demo.wait_active("attic")
  click(220, 320)
  assert(held() == "feather")
  house.read_hint("autodelete", "hint_feather")
  click(400, 200)
  assert(held() == nil)
  click(680, 270)
  assert(held() == "shell" and flag("shell_found") == "true")
  house.read_hint("big", "hint_shell")
  assert(flag("shell_story_read") == "true", "the story's closing actions ran")
  house.read_hint("autodelete", "hint_shell_after")
  click(400, 200)
  assert(held() == nil)
  click(568, 440) -- the ring
  assert(held() == "ring")
  house.read_hint("small", "hint_chapter_end")
  assert(flag("chapter_one_done") == "true")
end

return house
