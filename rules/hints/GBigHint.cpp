#include "GBigHint.h"

#include <cstdlib>

#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

namespace {
int ToHintInt(const str& text) {
  return int(std::strtol(text.c_str(), nullptr, 10));
}

void ReadPoint(TXmlNode* hint, const char* name, int* x, int* y) {
  TXmlNode* point = hint ? hint->GetChild(name) : nullptr;
  if (!point) return;
  *x = ToHintInt(point->GetAttribute("x"));
  *y = ToHintInt(point->GetAttribute("y"));
}
}  // namespace

GBigHint::GBigHint() {
  TXmlNode* hint = OGameConfig::GetInstance()->GetGameScreenChild("hint");
  ReadPoint(hint, "hidden_pos", &mHiddenX, &mHiddenY);
  ReadPoint(hint, "shown_pos", &mShownX, &mShownY);
  // Every phase lasts at least one tick: the slide divides by this count.
  int ticks = hint ? ToHintInt(hint->GetChildContent("num_show_ticks")) : 0;
  if (ticks < 1) {
    Report("game_screen: hint/num_show_ticks is %d; taken as 1", ticks);
    ticks = 1;
  }
  mShowTicks = ticks;
  SetWindowSize(800, 600);
  mLuaNames.Bind("onHintOkClick", this, &GBigHint::OnOkClick);
}

GBigHint::~GBigHint() {
  mLuaNames.UnbindAll();
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetHintMode(false);
}

void GBigHint::PostChildrenInit(TWindowStyle& style) {
  IGHint::PostChildrenInit(style);
  mPart = GetChildWindow("hint_part", -1);
  mText = WindowCast<TText>(GetChildWindow("hint_text", -1));
  if (mText && !mPendingText.empty()) {
    mText->SetText(mPendingText);
    mPendingText.clear();
  }
  SetState(kWaiting);
}

void GBigHint::SetText(const str& text) {
  mPendingText = text;
  if (mText) mText->SetText(text);
}

void GBigHint::SetState(int state) {
  mState = state;
  if (state != kShown)
    if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetMapMode(false);
  mTickCount = 0;
  if (state == kShown || state == kSlidingOut)
    PlacePart(mShownX, mShownY);
  else
    PlacePart(mHiddenX, mHiddenY);
}

void GBigHint::PlacePart(int x, int y) {
  if (mPart) mPart->SetWindowPos(x, y);
}

void GBigHint::Tick() {
  const int n = mShowTicks;
  switch (mState) {
    case kWaiting:
      if (++mTickCount >= n) SetState(kSlidingIn);
      break;
    case kSlidingIn: {
      int c = ++mTickCount;
      PlacePart(mHiddenX + (mShownX - mHiddenX) * c / n, mHiddenY + (mShownY - mHiddenY) * c / n);
      if (c >= n) SetState(kShown);
      break;
    }
    case kShown:
      if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetHintMode(true);
      break;
    case kSlidingOut: {
      int c = ++mTickCount;
      PlacePart(mHiddenX + (mShownX - mHiddenX) * (n - c) / n, mHiddenY + (mShownY - mHiddenY) * (n - c) / n);
      if (c >= n) SetState(kClosing);
      break;
    }
    case kClosing:
      Close();
      break;
  }
}

void GBigHint::OnOkClick() {
  if (mState == kShown) SetState(kSlidingOut);
}

GBigHint* CreateBigHintWindow() {
  return LoadWindowFromScript<GBigHint>("scripts/hint_big.lua", "hint");
}
