-- The bundled quit question: "no" goes back to the screen below, "yes" ends
-- the game.
tick(1)
local below = top_modal()
close_request()
tick(1)
assert(top_modal() == "yesnobox")
assert(window("quit_question") == "shown")
click(470, 335)  -- "no"
tick(1)
assert(top_modal() == below)
close_request()
tick(1)
assert(top_modal() == "yesnobox")
click(330, 335)  -- "yes"
assert(ended())
