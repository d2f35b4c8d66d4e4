#include "GTutorialWnd.h"

#include <algorithm>

#include "game/GSlidingPanel.h"
#include "sdk/TWindowManager.h"
#include "visual/GButton.h"
#include "visual/LuaUtils.h"

const char* const GTutorialWnd::kModalName = "tutorialmenu";

GTutorialWnd::GTutorialWnd() : mLuaNames(this) {}

GTutorialWnd::~GTutorialWnd() = default;

void GTutorialWnd::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mMask = GetChildWindow("tutorial_mask");
  mContent = GetChildWindow("tutorial_content");
  mPanel = WindowCast<GSlidingPanel>(GetChildWindow("panel"));
  mSlider = WindowCast<GSlider>(GetChildWindow("slider"));
  mMaskHeight = mMask ? mMask->GetHeight() : 0;
  mContentHeight = mContent ? mContent->GetHeight() : 0;
  if (mPanel) mPanel->StartSlide(GSlidingPanel::kSlidingIn);
  mLuaNames.Bind("scrollTutorialAbsolute", this, &GTutorialWnd::scrollTutorialAbsolute);
  mLuaNames.Bind("scrollTutorialDelta", this, &GTutorialWnd::scrollTutorialDelta);
  mLuaNames.Bind("scrollTutorialPercent", this, &GTutorialWnd::scrollTutorialPercent);
  mLuaNames.Bind("closeTutorial", this, &GTutorialWnd::closeTutorial);
  StartWindowAnimation(16, true, true, false);
}

bool GTutorialWnd::OnTaskAnimate() {
  if (!mPanel) return true;
  mPanel->Step();
  if (mPanel->GetMode() == GSlidingPanel::kRestOut) {
    TWindowManager::GetInstance()->PopModal(str(kModalName));
    mPanel = nullptr;
  }
  return true;
}

int GTutorialWnd::Clamp(int y) const {
  // A content shorter than the mask has only its top to show.
  int lowest = std::min(0, mMaskHeight - mContentHeight);
  return std::max(lowest, std::min(0, y));
}

int GTutorialWnd::PageFor(float value) const {
  if (mMaskHeight <= 0) return 0;
  int page = (int(value * float(mContentHeight)) + mMaskHeight / 2) / mMaskHeight;
  return Clamp(-(mMaskHeight * page));
}

void GTutorialWnd::PlaceContent(int y) {
  mContent->SetWindowPos(mContent->GetX(), Clamp(y));
}

bool GTutorialWnd::OnMessage(const TMessage& message) {
  if (message.kind != TMessage::kSliderMoved || !mSlider) return false;
  if (CanScroll()) PlaceContent(PageFor(mSlider->GetValue()));
  return true;
}

void GTutorialWnd::scrollTutorialAbsolute(int y) {
  if (CanScroll()) PlaceContent(y);
}

void GTutorialWnd::scrollTutorialDelta(int delta) {
  if (!CanScroll()) return;
  int v = mContent->GetY() + delta;
  PlaceContent(v);
  // The share of the way down, from the unclamped position; a content no
  // taller than the mask has no way down and keeps the slider at its start.
  int range = mMaskHeight - mContentHeight;
  if (mSlider) mSlider->SetValue(range == 0 ? 0.0f : float(v) / float(range));
}

void GTutorialWnd::scrollTutorialPercent(float share) {
  if (CanScroll()) PlaceContent(int(float(mMaskHeight - mContentHeight) * share));
}

void GTutorialWnd::closeTutorial() {
  // Without a panel to slide out there is nothing to wait for; the player
  // must not be left in front of a tutorial that cannot close.
  if (!mPanel) {
    TWindowManager::GetInstance()->PopModal(str(kModalName));
    return;
  }
  if (mPanel->GetMode() == GSlidingPanel::kSlidingOut) return;
  mPanel->StartSlide(GSlidingPanel::kSlidingOut);
}
