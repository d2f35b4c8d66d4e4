#pragma once
// The small hint window: shows its text until the player clicks it away. A
// release closes it only after a press that started on it.

#include "IGHint.h"

class TText;

class GSmallHint : public IGHint {
  TWINDOW_CLASS(GSmallHint, IGHint)
 public:
  void PostChildrenInit(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& local) override;
  bool OnMouseUp(const TPoint& local) override;
  // 1 arms the window, 0 closes it once armed.
  bool OnExtendedMouseEvent(const TPoint& local, int code) override;

  void Tick() override { ++mTickCount; }
  void SetText(const str& text) override;

  TText* GetTextChild() const { return mText; }
  int GetTickCount() const { return mTickCount; }

 protected:
  TText* mText = nullptr;
  int mTickCount = 0;
  bool mPressed = false;
  bool mArmed = false;
};

// Runs "scripts/hint_small.lua" in a temporary modal window and takes its
// window "hint" when it is a small hint (a self-closing one counts); null
// otherwise. The caller owns the window.
GSmallHint* CreateSmallHintWindow();
