#pragma once
// The big button of one magic on the magic control. A cast empties it; it
// then refills from its bottom edge over the magic's restore time (16 ms
// ticks) and can be used again once full. Live ("button") while ready, its
// "disabled_image" while refilling; a locked button (its magic not shown)
// does not refill.

#include "visual/GInteractiveButton.h"

class GMagicButton : public GInteractiveButton {
  TWINDOW_CLASS(GMagicButton, GInteractiveButton)
 public:
  enum { kEmptied = 0, kReady = 1 };

  void PostChildrenInit(TWindowStyle& style) override;

  // One 16 ms tick of refilling.
  void Tick();
  // A cast: empty, disabled, refilling from the start.
  void StartRestore();
  // Full and usable.
  void ShowReady();

  void SetRestoreTicks(int ticks) { mRestoreTicks = ticks; }
  int GetRestoreTicks() const { return mRestoreTicks; }
  int GetRestoreCounter() const { return mRestoreCounter; }
  void SetRestoreCounter(int ticks) { mRestoreCounter = ticks; }
  int GetMagicState() const { return mMagicState; }
  // Stores the state; 0 and 1 also show it.
  void SetMagicState(int state);
  bool IsLocked() const { return mLocked; }
  void SetLocked(bool locked) { mLocked = locked; }
  int GetFullHeight() const { return mFullHeight; }

 private:
  int mRestoreTicks = 1000;
  int mRestoreCounter = 0;
  TPoint mSavedPosition;
  TPoint mPicturePosition;
  int mFullWidth = 0;
  int mFullHeight = 0;
  int mMagicState = kEmptied;
  bool mLocked = true;
};
