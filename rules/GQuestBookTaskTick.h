#pragma once
// Stand-in window of the game rules until they land: registered so that
// scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GQuestBookTaskTick : public TWindow {
  TWINDOW_CLASS(GQuestBookTaskTick, TWindow)
};
