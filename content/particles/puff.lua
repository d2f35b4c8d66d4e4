-- One puff of grey smoke each time the effect is switched on; the effect
-- ends when the smoke has cleared.
puff = Emitter{
  texture = "particles/puff.png",
  burst = 14, life = {0.6, 1.0}, radius = 6,
  speed = {15, 45}, drag = 1.5, velocity = {0, -20},
  size = {14, 40}, color = {0.75, 0.75, 0.78}, alpha = {0.7, 0},
}
function OnStart() gActive = true end
function OnStop() gActive = false end
