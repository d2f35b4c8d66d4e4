-- What a brew leaves behind. A failed brew (water, a herb and a feather make
-- nothing) empties the still and slides its panel out, and the boiling stops
-- with it: no boil is heard in the next 1,200 ticks. An ingredient dropped
-- into the still takes its caption with it: resting the pointer on bare wall
-- afterwards shows no frame.

local lab = require("lib.lab")

local FRAME_END = "64,40,16" -- the caption frame's ends

local function colour(x, y)
  local r, g, b = pixel(x, y)
  return string.format("%d,%d,%d", r, g, b)
end

local function boils_since(heard)
  local n = 0
  for i = heard + 1, #sounds() do
    if sounds()[i] == "sounds/device_boil.wav" then n = n + 1 end
  end
  return n
end

lab.enter(true)
lab.pour(0)
local heard = #sounds()
tick(300)
assert(boils_since(heard) > 0, "the water boils")

lab.drop("herb")
lab.drop("feather")
move(600, 100)
tick(1)
game_lua("onDoneClick()")
tick(20)
assert(window("hint") == nil, "a hint: " .. tostring(text("hint_text")))
assert(lab.panel_y() == 240, "the panel slid out")
heard = #sounds()
tick(1200)
assert(boils_since(heard) == 0, boils_since(heard) .. " boils after the brew failed")

-- The bark's caption shows while the pointer rests on it, and goes into the
-- still with it.
lab.pour(1)
move(600, 100)
tick(2)
move(lab.at.bark[1] + 1, lab.at.bark[2])
tick(12)
assert(colour(lab.at.bark[1] + 31, lab.at.bark[2] + 1) == FRAME_END, "the bark's caption")
lab.drop("bark")
move(600, 100)
tick(12)
assert(colour(630, 101) ~= FRAME_END, "a caption stayed behind over the bare wall")


-- In the still, the bark is an inventory cell's item like any other: the
-- resting pointer over it shows its caption.
tick(20)
local cx, cy = lab.cell(1)
move(cx, cy)
tick(2)
move(cx + 1, cy)
tick(12)
assert(colour(cx + 31, cy + 1) == FRAME_END, "the bark's caption in the still: " .. colour(cx + 31, cy + 1))
assert(reports() == 0, "reports")
