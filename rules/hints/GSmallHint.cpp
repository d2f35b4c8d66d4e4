#include "GSmallHint.h"

#include "sdk/TText.h"
#include "visual/LuaUtils.h"

void GSmallHint::PostChildrenInit(TWindowStyle& style) {
  IGHint::PostChildrenInit(style);
  mText = WindowCast<TText>(GetChildWindow("hint_text", -1));
  mPressed = false;
  mArmed = false;
}

bool GSmallHint::OnMouseDown(const TPoint& local) {
  mPressed = true;
  return true;
}

bool GSmallHint::OnMouseUp(const TPoint& local) {
  // A release alone (the end of the click that opened the hint) is not a
  // click on the hint.
  if (mPressed) Close();
  return true;
}

bool GSmallHint::OnExtendedMouseEvent(const TPoint& local, int code) {
  if (code == 1)
    mArmed = true;
  else if (code == 0 && mArmed)
    Close();
  return true;
}

void GSmallHint::SetText(const str& text) {
  if (mText) mText->SetText(text);
}

GSmallHint* CreateSmallHintWindow() {
  return LoadWindowFromScript<GSmallHint>("scripts/hint_small.lua", "hint");
}
