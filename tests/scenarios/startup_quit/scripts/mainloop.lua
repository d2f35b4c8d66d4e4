-- A bare first screen: the scenario drives the player functions itself.
Window{type = "TModalWindow", name = "base", x = 0, y = 0, w = 800, h = 600}
