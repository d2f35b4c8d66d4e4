#pragma once
// Stand-in window of the player tools until they land: registered so that
// scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GNavigatorEntrance : public TWindow {
  TWINDOW_CLASS(GNavigatorEntrance, TWindow)
};
