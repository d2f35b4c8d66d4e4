-- Green squares that stay where they were made for a tenth of a second.
function OnStart() gActive = true end
function OnStop() gActive = false end
Emitter{ rate = 300, life = 0.1, size = 6, color = {0, 1, 0} }
