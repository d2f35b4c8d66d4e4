#pragma once
// A window at the root of a modal layer. Its tasks and its windows'
// animations run on its own clock, which only moves while it is on top.

#include "TWindow.h"

class TModalWindow : public TWindow, public TClock {
  TWINDOW_CLASS(TModalWindow, TWindow)
 public:
  TModalWindow();
  ~TModalWindow() override;
  bool IsModal() const override { return true; }
  bool ClipsChildren() const override { return false; }

  void SetDefaultFocus(TWindow* w) { mDefaultFocus = w; }
  TWindow* GetDefaultFocus() const { return mDefaultFocus; }
  TWindow* GetFocus() const { return mFocus; }
  void SetFocus(TWindow* w);

  void AdoptTask(TTask* task);
  void OrphanTask(TTask* task);
  TClock* GetClock() { return this; }
  uint32_t GetTime() const override { return mTime; }

  // Internal: advances this modal's clock and runs its tasks (top modal only).
  void AdvanceTo(uint32_t platformNow);
  void ResumeAt(uint32_t platformNow);
  TTaskList& GetTaskList() { return mTasks; }
  void ForgetWindow(TWindow* w);  // focus pointers that reach a dying window

 private:
  TWindow* mDefaultFocus = nullptr;
  TWindow* mFocus = nullptr;
  TTaskList mTasks;
  uint32_t mTime = 0;
  uint32_t mLastPlatform = 0;
  bool mClockStarted = false;
};
