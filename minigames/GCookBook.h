#pragma once
// Stand-in window of the mini-games until they land: registered so that
// scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GCookBook : public TWindow {
  TWINDOW_CLASS(GCookBook, TWindow)
};
