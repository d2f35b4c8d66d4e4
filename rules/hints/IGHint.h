#pragma once
// The window a hint is shown in. The hints manager creates it, sets its text
// and after-close action once, ticks it while it is shown and deletes it on
// the tick after it closed itself (it then has no parent). Closing resumes
// the hints manager's scene and runs the after-close composite once.

#include "sdk/TWindow.h"

class IGHint : public TWindow {
 public:
  virtual void Tick() = 0;
  virtual void SetText(const str& text) = 0;
  virtual void SetAfterCloseAction(const str& name) { mAfterCloseAction = name; }
  const str& GetAfterCloseAction() const { return mAfterCloseAction; }

 protected:
  // Out of the window tree, the scene resumed, the after-close action run.
  void Close();
  bool IsClosed() const { return mClosed; }

 private:
  str mAfterCloseAction;
  bool mClosed = false;
};
