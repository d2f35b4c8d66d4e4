-- The trail of a served dish flying from the mixing bowl onto its plate:
-- sparkles left behind while it flies, for 0.7 s from each start.
fly = Emitter{
  texture = "particles/dot.png", blend = "add",
  rate = 90, life = {0.4, 0.7}, spread = {2, 2},
  speed = {0, 12}, size = {9, 1},
  color = {{1, 0.95, 0.7}, {1, 0.7, 0.3}}, alpha = {1, 0},
}
function OnUpdate(ms)
  if not gActive then
    gFlying = nil
    return
  end
  gFlying = (gFlying or 0) + ms
  if gFlying >= 700 then
    gActive = false
    gFlying = nil
  end
end
