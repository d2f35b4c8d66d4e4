#pragma once
// The small window that shows one short message to the player for a fixed
// number of ticks. Built once by the popup queue from "scripts/popup.lua".

#include <cstdint>

#include "sdk/TWindow.h"

class TText;

class GPopup : public TWindow {
  TWINDOW_CLASS(GPopup, TWindow)
 public:
  enum { kHidden = 0, kShown = 1 };

  GPopup() = default;

  // Reads game_screen/popup/stay_ticks, finds "popup_text", hides itself.
  void Setup();
  void SetText(const str& text);

  int GetState() const { return mState; }
  void SetState(int state) { mState = state; }
  int GetTickCount() const { return mTickCount; }
  void SetTickCount(int ticks) { mTickCount = ticks; }
  int GetStayTicks() const { return mStayTicks; }
  TText* GetTextWindow() const { return mText; }

 private:
  int32_t mState = kHidden;
  int32_t mTickCount = 0;
  int32_t mStayTicks = 0;  // ticks of 16 ms
  TText* mText = nullptr;
};
