#include "GVethraPotionEffectChooser.h"

#include "sdk/TImage.h"
#include "visual/GButton.h"
#include "visual/LuaUtils.h"

namespace {
void SetAlpha(TImage* image, float alpha) {
  if (image) image->SetAlpha(alpha);
}
}  // namespace

GVethraPotionEffectChooser::~GVethraPotionEffectChooser() {
  for (GButton* button : mButtons) {
    if (button->GetParent()) button->GetParent()->OrphanChild(button);
    delete button;
  }
}

void GVethraPotionEffectChooser::PostChildrenInit(TWindowStyle& style) {
  SetWindowSize(800, 600);
  mBackground = WindowCast<TImage>(GetChildWindow("img_background"));
  mWindow = WindowCast<TImage>(GetChildWindow("img_window"));
  for (const char* name : {"btn_through_vethra", "btn_through_space"})
    if (GButton* button = WindowCast<GButton>(GetChildWindow(name))) mButtons.push_back(button);
  for (GButton* button : mButtons)
    if (button->GetParent()) button->GetParent()->OrphanChild(button);
  mState = kBackgroundIn;
  mCounter = 0;
  SetAlpha(mBackground, 0);
  SetAlpha(mWindow, 0);
  TWindow::PostChildrenInit(style);
}

void GVethraPotionEffectChooser::AdoptButtons() {
  for (GButton* button : mButtons)
    if (!button->GetParent()) AdoptChild(button);
}

void GVethraPotionEffectChooser::SetState(int state) {
  mState = state;
  mCounter = 0;
  if (state == kBackgroundIn) {
    SetAlpha(mBackground, 0);
    SetAlpha(mWindow, 0);
  } else if (state == kWindowIn) {
    SetAlpha(mBackground, 1);
    SetAlpha(mWindow, 0);
  } else if (state == kShown) {
    SetAlpha(mBackground, 1);
    SetAlpha(mWindow, 1);
    AdoptButtons();
  }
}

void GVethraPotionEffectChooser::Tick() {
  if (mState == kBackgroundIn) {
    ++mCounter;
    SetAlpha(mBackground, float(mCounter) / kFadeTicks);
    if (mCounter >= kFadeTicks) SetState(kWindowIn);
  } else if (mState == kWindowIn) {
    ++mCounter;
    SetAlpha(mWindow, float(mCounter) / kFadeTicks);
    if (mCounter >= kFadeTicks) SetState(kShown);
  }
}
