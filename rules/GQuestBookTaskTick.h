#pragma once
// Stand-in window of the quest book, replaced when the quest book is built:
// registered so that scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GQuestBookTaskTick : public TWindow {
  TWINDOW_CLASS(GQuestBookTaskTick, TWindow)
};
