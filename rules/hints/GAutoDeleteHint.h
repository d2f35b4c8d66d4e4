#pragma once
// A small hint that also closes by itself: it stays open for
// game_screen/hint/autodelete_ticks + 1 ticks unless clicked away sooner.

#include "GSmallHint.h"

class GAutoDeleteHint : public GSmallHint {
  TWINDOW_CLASS(GAutoDeleteHint, GSmallHint)
 public:
  GAutoDeleteHint();
  void Tick() override;
  int GetAutoDeleteTicks() const { return mAutoDeleteTicks; }

 private:
  int mAutoDeleteTicks = 0;
};

// "scripts/hint_autodelete.lua"; null unless its "hint" is a GAutoDeleteHint.
GAutoDeleteHint* CreateAutoDeleteHintWindow();
