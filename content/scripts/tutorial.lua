-- The tutorial's page: a panel that slides down from above the screen, a
-- 200-pixel window onto a 500-pixel text (five bands of colour stand in for
-- the pages), a slider that turns whole pages, and a button that slides the
-- panel away again and closes the window.
Window{
  type = "TModalWindow", name = "tutorialmenu", x = 0, y = 0, w = 800, h = 600,
  {type = "GTutorialWnd", name = "tutorial", x = 0, y = 0, w = 800, h = 600,
    {type = "SlidingPanel", name = "panel", x = 200, y = -440, w = 400, h = 440,
      pos_anim = {{200, -440}, {200, -200}, {200, 0}, {200, 60}},
      {type = "TImage", name = "tutorial_bg", x = 0, y = 0, image = "images/tutorial/panel.png"},
      {type = "TWindow", name = "tutorial_mask", x = 50, y = 40, w = 300, h = 200,
        {type = "TWindow", name = "tutorial_content", x = 0, y = 0, w = 300, h = 500,
          {type = "TImage", name = "tutorial_text", x = 0, y = 0, image = "images/tutorial/bands.png"},
        },
      },
      {type = "GSlider", name = "slider", x = 50, y = 260, w = 300, h = 20,
        track = "images/tutorial/track.png", thumb = "images/tutorial/thumb.png"},
      {type = "TButton", name = "tutorial_close", x = 150, y = 380, w = 100, h = 30,
        normal = "images/tutorial/close.png", label = GetString("ok"), size = 16,
        command = function() closeTutorial() end},
    },
  },
  {type = "TolvWindow", name = "TolvWindow", x = 0, y = 0, w = 800, h = 600, GameMouse = false},
}
