#include "GMagicButton.h"

#include "sdk/TImage.h"

void GMagicButton::PostChildrenInit(TWindowStyle& style) {
  GInteractiveButton::PostChildrenInit(style);
  mSavedPosition = TPoint(float(GetX()), float(GetY()));
  mFullWidth = GetWidth();
  mFullHeight = GetHeight();
  if (TImage* picture = GetDisabledImage())
    mPicturePosition = TPoint(float(picture->GetX()), float(picture->GetY()));
  StartRestore();
}

void GMagicButton::StartRestore() {
  mMagicState = kEmptied;
  SetEnabled(false);
  mRestoreCounter = 0;
  SetWindowSize(mFullWidth, 0);
}

void GMagicButton::ShowReady() {
  mMagicState = kReady;
  SetEnabled(true);
  SetWindowPos(int(mSavedPosition.x), int(mSavedPosition.y));
  SetWindowSize(mFullWidth, mFullHeight);
}

void GMagicButton::SetMagicState(int state) {
  if (state == kEmptied)
    StartRestore();
  else if (state == kReady)
    ShowReady();
  else
    mMagicState = state;
}

void GMagicButton::Tick() {
  if (mLocked || mMagicState == kReady) return;
  int old = mRestoreCounter++;
  // Usable on the tick after the counter reached the restore time.
  if (old >= mRestoreTicks) {
    ShowReady();
    return;
  }
  if (!GetParent()) return;
  // Fills from its bottom edge up; the picture stays where it is on the
  // screen while the window grows over it.
  double f = double(old + 1) / mRestoreTicks;
  double empty = (1 - f) * mFullHeight;
  SetWindowSize(mFullWidth, int(f * mFullHeight));
  SetWindowPos(int(mSavedPosition.x), int(mSavedPosition.y + empty));
  if (TImage* picture = GetDisabledImage()) picture->SetWindowPos(int(mPicturePosition.x), int(-empty));
}
