#pragma once
// Stand-in window of the game rules until they land: registered so that
// scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GBigHint : public TWindow {
  TWINDOW_CLASS(GBigHint, TWindow)
};
