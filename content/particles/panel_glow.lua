-- The glow the alchemical device plays at a panel button. It runs a second
-- and a half, then asks the panel to take it away ("removeEffect", which the
-- panel binds in this effect's own state).
glow = Emitter{
  texture = "particles/glow.png", blend = "add",
  rate = 30, life = {0.3, 0.5}, spread = {20, 14},
  size = {20, 6}, color = {0.6, 1, 0.7}, alpha = {0.8, 0},
}
function OnUpdate(ms)
  gCount = (gCount or 0) + ms
  if gCount >= 1500 and removeEffect then
    removeEffect()
    removeEffect = nil
  end
end
