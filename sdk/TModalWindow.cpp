#include "TModalWindow.h"

TModalWindow::TModalWindow() {}

TModalWindow::~TModalWindow() {
  // The children's animations live in mTasks, which dies with this object
  // before the base destructor would get to them.
  DeleteChildren();
  StopWindowAnimation();
}

void TModalWindow::SetFocus(TWindow* w) {
  if (w == mFocus) return;
  TWindow* old = mFocus;
  mFocus = w;
  if (old) old->OnFocus(false);
  if (w && mFocus == w) w->OnFocus(true);
}

void TModalWindow::AdoptTask(TTask* task) {
  if (task) mTasks.Adopt(task, mTime);
}

void TModalWindow::OrphanTask(TTask* task) {
  if (task) mTasks.Orphan(task);
}

void TModalWindow::AdvanceTo(uint32_t platformNow) {
  if (!mClockStarted) ResumeAt(platformNow);
  mTime += platformNow - mLastPlatform;
  mLastPlatform = platformNow;
  mTasks.Run(mTime);
}

void TModalWindow::ResumeAt(uint32_t platformNow) {
  // The time spent beneath another modal does not count on this clock.
  mLastPlatform = platformNow;
  mClockStarted = true;
}

void TModalWindow::ForgetWindow(TWindow* w) {
  if (mFocus == w) mFocus = nullptr;
  if (mDefaultFocus == w) mDefaultFocus = nullptr;
}
