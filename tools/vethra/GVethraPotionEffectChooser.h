#pragma once
// The small choice that the through-space magic opens in a Vethra scene
// ("GVethraPotionEffectChooser", built by scripts/through_space_potion.lua):
// its background and window fade in over 50 ticks each, then its two
// buttons appear, "btn_through_vethra" (travel on the world map) and
// "btn_through_space" (the navigator). Either button's action orphans it;
// the scene deletes it on its next tick.

#include <vector>

#include "sdk/TWindow.h"

class GButton;
class TImage;

class GVethraPotionEffectChooser : public TWindow {
  TWINDOW_CLASS(GVethraPotionEffectChooser, TWindow)
 public:
  enum { kBackgroundIn = 0, kWindowIn = 1, kShown = 2 };
  enum { kFadeTicks = 50 };

  ~GVethraPotionEffectChooser() override;
  void PostChildrenInit(TWindowStyle& style) override;
  void SetState(int state);
  void Tick();

  int GetState() const { return mState; }
  const std::vector<GButton*>& GetButtons() const { return mButtons; }
  TImage* GetBackground() const { return mBackground; }
  TImage* GetWindow() const { return mWindow; }

 private:
  void AdoptButtons();

  int mState = kBackgroundIn;
  TImage* mBackground = nullptr;
  TImage* mWindow = nullptr;
  int mCounter = 0;
  std::vector<GButton*> mButtons;  // owned
};
