#pragma once
// Stand-in window of the mini-games until they land: registered so that
// scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GCatapultPanel : public TWindow {
  TWINDOW_CLASS(GCatapultPanel, TWindow)
};
