#include "GPopup.h"

#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TText.h"
#include "sdk/TXmlNode.h"
#include "visual/LuaUtils.h"

void GPopup::Setup() {
  TXmlNode* popup = OGameConfig::GetInstance()->GetGameScreenChild("popup");
  mStayTicks = popup ? popup->GetChildContent("stay_ticks").to_int() : 0;
  mText = WindowCast<TText>(GetChildWindow("popup_text"));
  if (!mText)
    Report("scripts/popup.lua: the popup has no text window \"popup_text\"; its messages show no text");
  mState = kHidden;
  mTickCount = 0;
  if (TWindow* parent = GetParent()) parent->OrphanChild(this);
}

void GPopup::SetText(const str& text) {
  if (mText) mText->SetText(text);
}
