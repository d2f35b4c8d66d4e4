-- A walk through the whole bundled house, into every scene, using what each
-- one is there to show: the lamp lights the cellar around it, the study's
-- desk keeps what is put on it, the garden's evening falls once, the attic's
-- skylight leads to the end and back. The bundled content must stay clean:
-- not one report line from start to finish.

local demo = require("lib.demo")

local function wait_active(id) demo.wait_active(id, 300) end

local function black(x, y)
  local r, g, b = pixel(x, y)
  return r + g + b == 0
end

local function no_reports(where)
  assert(reports() == 0, reports() .. " report line(s) by " .. where)
end

demo.enter_name()
tick(10)
no_reports("the main menu")
click(110, 282) -- New game
tick_until(function() return top_modal() == "thegame" end, 400, "the game screen")
wait_active("living_room")
no_reports("the living room")

-- The lamp, down the trapdoor: the cellar is black except around it.
click(320, 350)
assert(held() == "lamp")
click(180, 485)
wait_active("cellar")
move(300, 380)
tick(3)
assert(not black(250, 380), "lit beside the lamp")
assert(black(700, 100) and black(700, 450), "dark away from the lamp")
move(20, 15) -- at the corner the light is cut by the screen's edges
tick(3)
assert(not black(5, 5), "lit up to the corner")
assert(black(200, 15), "dark past the light")
no_reports("the cellar")

click(400, 100) -- the ladder
wait_active("living_room")
click(670, 300)
wait_active("hall")

-- The hall has nowhere to put a thing: the lamp stays in hand and says so.
click(420, 300)
tick(5)
assert(held() == "lamp", "nothing to put the lamp on in the hall")
assert(window("hint") == "shown" and text("hint_text") == "There is nowhere to put that down here.",
       "the hall says there is nowhere: " .. tostring(text("hint_text")))
click(400, 100) -- closes the message
tick(5)
assert(window("hint") == nil)

click(270, 300) -- the study's door
wait_active("study")
click(400, 200)
assert(held() == nil, "the lamp is put on the desk")
assert(registry("lamp") == 4, "place stDropped")
key("t")
local desk = save_document():match("<study_desk>.-</study_desk>") or ""
local x, y = desk:match('<lamp x="(%-?%d+)" y="(%-?%d+)"/>')
x, y = tonumber(x), tonumber(y)
assert(x and y, "the desk is recorded: " .. desk)
assert(x >= 250 and x + 40 <= 550 and y >= 358 and y <= 368, "on the desk: " .. x .. "," .. y)
tick(130) -- the saved message goes

-- Out of the window: the garden fades from dusk to night and stays there;
-- leaving remembers it.
click(660, 200)
wait_active("garden")
local r, g, b = pixel(400, 5)
assert(r > b, "dusk first")
tick(200)
r, g, b = pixel(400, 5)
assert(b > r, "night at last")
assert(flag("garden_seen") == "null")
click(400, 420) -- the gate
wait_active("study")
assert(flag("garden_seen") == "true", "the garden was seen")
click(660, 200)
wait_active("garden")
r, g, b = pixel(400, 5)
assert(b > r, "night at once the second time")
click(400, 420)
wait_active("study")

-- The lamp lies where it was put, and an empty hand takes it back.
click(x + 20, y + 20)
assert(held() == "lamp", "taken back from the desk")
assert(registry("lamp") == 1)
no_reports("the study and the garden")

-- Up to the attic, out through its skylight, and awake again.
click(90, 300) -- the study's door
wait_active("hall")
click(600, 300)
wait_active("attic")
no_reports("the attic")
click(80, 60)
wait_active("the_end")
no_reports("the end")
click(400, 480)
wait_active("living_room")
no_reports("the whole walk")
