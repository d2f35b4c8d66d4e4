#pragma once
// Stand-in window of the quest book, replaced when the quest book is built:
// registered so that scripts naming its type get a window of this class.

#include "sdk/TWindow.h"

class GQuestBookControl : public TWindow {
  TWINDOW_CLASS(GQuestBookControl, TWindow)
 public:
  // 0 locked, 1 unlocked, 2 showing a mission completed, 3 a task completed.
  enum { kLocked = 0, kUnlocked = 1, kMissionComplete = 2, kTaskComplete = 3 };
  void SetState(int state) { mState = state; }
  int GetState() const { return mState; }
  // A task mark only over the plain unlocked button; a mission mark over
  // anything but the locked one.
  void ShowTaskComplete() {
    if (mState == kUnlocked) mState = kTaskComplete;
  }
  void ShowMissionComplete() {
    if (mState != kLocked) mState = kMissionComplete;
  }

 private:
  int mState = kLocked;
};
