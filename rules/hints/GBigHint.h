#pragma once
// The big hint window (800 by 600): its panel "hint_part" waits, slides in
// from the hidden to the shown position of game_screen/hint, waits for the
// OK (Lua "onHintOkClick"), slides out and closes. Each phase takes
// num_show_ticks ticks.

#include "IGHint.h"
#include "game/LuaBinding.h"

class TText;

class GBigHint : public IGHint {
  TWINDOW_CLASS(GBigHint, IGHint)
 public:
  enum { kWaiting = 0, kSlidingIn = 1, kShown = 2, kSlidingOut = 3, kClosing = 4 };

  GBigHint();
  ~GBigHint() override;
  void PostChildrenInit(TWindowStyle& style) override;

  void Tick() override;
  void SetText(const str& text) override;
  // Lua "onHintOkClick": starts the slide out once the panel is shown.
  void OnOkClick();

  int GetState() const { return mState; }
  TWindow* GetPart() const { return mPart; }
  TText* GetTextChild() const { return mText; }
  int GetShowTicks() const { return mShowTicks; }

 private:
  void SetState(int state);
  void PlacePart(int x, int y);

  TText* mText = nullptr;
  TWindow* mPart = nullptr;
  str mPendingText;
  // Integer screen points: the slide keeps whole-pixel arithmetic.
  int mHiddenX = 0, mHiddenY = 0;
  int mShownX = 0, mShownY = 0;
  int mShowTicks = 1;
  int mState = kWaiting;
  int mTickCount = 0;
  LuaNameSet mLuaNames{this};
};

// "scripts/hint_big.lua"; null unless its "hint" is a GBigHint.
GBigHint* CreateBigHintWindow();
