-- Four large particles leave the screen's middle at once, one each way, at
-- 200 pixels a second, and live one second; each shows some of the main
-- parameters.
local function one(fields)
  fields.burst, fields.life, fields.speed = 1, 1, 200
  return Emitter(fields)
end
-- East: a solid red square of 40 pixels that keeps its look.
one{ angle = 90, size = 40, color = {1, 0, 0} }
-- South: a solid square that shrinks from 40 pixels to none while it turns
-- from green to blue.
one{ angle = 180, size = {40, 0}, color = {{0, 1, 0}, {0, 0, 1}} }
-- North: a texture whose left half is transparent, tinted yellow, fading out.
one{ angle = 0, size = 40, color = {1, 1, 0}, alpha = {1, 0}, texture = "images/half.png" }
-- West: a red square with a smaller green one added over it, yellow where
-- they meet.
one{ angle = 270, size = 40, color = {1, 0, 0} }
one{ angle = 270, size = 20, color = {0, 1, 0}, blend = "add" }
