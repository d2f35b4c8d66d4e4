-- The kitchen's clear button, as a player sees it. The stew's serving
-- plate (120 by 80) carried over the button stays drawn, shrunk to 80
-- pixels, and the pointer keeps its item look; carried back over the
-- kitchen it is whole again. Clear empties it and it stays in the hand.

local kitchen = require("lib.kitchen")
kitchen.enter(false)

local function white(x, y)
  local r, g, b = pixel(x, y)
  return r == 240 and g == 240 and b == 240
end

kitchen.click("stew_plate")
assert(held() == "stew_plate", tostring(held()))
-- Held by its middle: over the kitchen it spans 120 by 80 around the point.
move(400, 250)
tick(1)
assert(white(345, 250) and white(455, 250), "the whole plate")

move(200, 570)
tick(1)
assert(pointer() == "stItem", "the pointer holds the plate: " .. tostring(pointer()))
-- Shrunk from its top-left corner (140, 530) to 80 by 53.
assert(white(180, 556), "the plate is drawn over the button")
assert(not white(250, 570) and not white(180, 595), "at 80 pixels, not 120")
kitchen.clear()
assert(held() == "stew_plate", "clear keeps the plate in the hand")

move(400, 250)
tick(1)
assert(white(345, 250) and white(455, 250), "whole again over the kitchen")
assert(reports() == 0, reports() .. " report line(s)")
