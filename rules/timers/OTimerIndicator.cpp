#include "OTimerIndicator.h"

#include <algorithm>

#include "game/OGame.h"
#include "sdk/TPlatform.h"
#include "sdk/TStringTable.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
// The picture is always centred on the 800 by 600 screen, whatever the
// element says.
const TVec3 kScreenCentre(400, 300, 0);
// The text sprite's flags: centred both ways.
const int kTextFlags = TTextSprite::kCenterH | TTextSprite::kCenterV;

uint8_t Channel(float value) {
  return uint8_t(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f);
}
}  // namespace

OTimerIndicator::OTimerIndicator(const TXmlNode* element) {
  const TXmlNode* img = element ? element->GetChild("img") : nullptr;
  if (img) {
    mImage = LoadSpriteFromXml(img);
    mImage->SetPosition(kScreenCentre);
    mImage->SetAlpha(0);
  }
  if (const TXmlNode* text = element ? element->GetChild("text") : nullptr) {
    mTextColor =
        TColor(text->GetAttribute("font_color_r").to_float(), text->GetAttribute("font_color_g").to_float(),
               text->GetAttribute("font_color_b").to_float(), 1);
    mTextSprite = TTextSprite::Create(
        text->GetAttribute("width").to_int(), text->GetAttribute("height").to_int(), 0,
        text->GetAttribute("font"), text->GetAttribute("font_size").to_int(),
        TColor32(Channel(mTextColor.r), Channel(mTextColor.g), Channel(mTextColor.b), 255), 0);
    mTextSprite->SetPosition(
        TVec3(text->GetAttribute("x").to_float(), text->GetAttribute("y").to_float(), 0));
    mTextSprite->SetFlags(kTextFlags);
  }
}

void OTimerIndicator::SetTotalTime(int32_t ms) {
  mTotalTime = ms;
  SetAlpha(0);
}

void OTimerIndicator::SetLeftTime(int32_t ms) {
  if (mTotalTime != 0 && ms <= mTotalTime)
    SetAlpha(1.0f - float(ms) / float(mTotalTime));
  else
    SetAlpha(0);
}

void OTimerIndicator::SetText(const str& key) {
  mBlinkCounter = 0;
  mTextKey = key;
  if (mTextSprite)
    mTextSprite->SetText(key.empty() ? str() : TPlatform::GetInstance()->GetStringTable()->GetString(key));
}

void OTimerIndicator::BlinkTick() {
  const uint32_t n = mBlinkPeriod;
  if (n == 0) return;
  const uint32_t c = ++mBlinkCounter;
  if (c < n) {
    mTextColor.a = 1.0f - float(c) / float(n);
  } else if (c < 2 * n) {
    mTextColor.a = float(c - n) / float(n);
  } else {
    mBlinkCounter = 0;
    mTextColor.a = 1;
  }
  ApplyTextColor();
}

void OTimerIndicator::Empty() {
  SetTotalTime(0);
  SetText(str());
}

void OTimerIndicator::Draw() {
  if (mImage) mImage->Draw(TDrawSpec());
  if (mTextSprite) mTextSprite->Draw(TDrawSpec());
}

float OTimerIndicator::GetAlpha() const {
  return mImage ? mImage->GetAlpha() : mAlphaWithoutImage;
}

void OTimerIndicator::SetAlpha(float alpha) {
  mAlphaWithoutImage = alpha;
  if (mImage) mImage->SetAlpha(alpha);
}

void OTimerIndicator::Save(TXmlNode* element) const {
  element->SetAttribute("iit", str::format("%d", mTotalTime));
  element->SetAttribute("alpha", str::format("%d", int(GetAlpha() * 100.0f)));
  element->SetAttribute("text", mTextKey);
  element->SetAttribute("blink_ticks", str::format("%u", mBlinkPeriod));
}

void OTimerIndicator::Load(const TXmlNode* element) {
  mTotalTime = element->GetAttribute("iit").to_int();
  // Saved in hundredths; an opacity outside 0-1 is a damaged save's.
  SetAlpha(float(std::clamp(element->GetAttribute("alpha").to_int(), 0, 100)) / 100.0f);
  SetText(element->GetAttribute("text"));
  mBlinkPeriod = uint32_t(std::max(0, element->GetAttribute("blink_ticks").to_int()));
}

void OTimerIndicator::ApplyTextColor() {
  if (mTextSprite)
    mTextSprite->SetColor(
        TColor32(Channel(mTextColor.r), Channel(mTextColor.g), Channel(mTextColor.b), Channel(mTextColor.a)));
}
