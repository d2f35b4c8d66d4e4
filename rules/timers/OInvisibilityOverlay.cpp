#include "OInvisibilityOverlay.h"

#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

OInvisibilityOverlay::OInvisibilityOverlay(const TXmlNode* element)
    : mSprite(TSprite::Create(0)), mElement(element) {
  if (element) mFadeTime = element->GetAttribute("fade_seconds").to_int();
  mSprite->SetPosition(TVec3(400, 300, 0));
}

void OInvisibilityOverlay::Start() {
  mActive = true;
  for (size_t i = 0; mElement && i < mElement->GetChildCount(); ++i) {
    TFxSpriteRef particle = CreateParticleFromXml(mElement->GetChildAt(i));
    if (!particle) continue;
    mParticles.push_back(particle);
    mSprite->AddChild(particle);
    if (TScript* script = particle->GetScript()) script->DoLuaString("gActive = true;");
  }
}

void OInvisibilityOverlay::Stop() {
  mActive = false;
  mSprite->RemoveChildren();
  for (const TFxSpriteRef& particle : mParticles) particle->GetParticleSystem()->SetDone();
  mParticles.clear();
}

void OInvisibilityOverlay::SetTime(int32_t left) {
  const float f = float(mFadeTime), t = float(mTotalTime), l = float(left);
  float alpha = 1;
  // Without a fade time there is nothing to fade (and nothing to divide by).
  if (mFadeTime > 0) {
    if (l < f)
      alpha = l / f;
    else if (l > t - f)
      alpha = (t - l) / f;
  }
  mSprite->SetAlpha(alpha);
}

void OInvisibilityOverlay::Save(TXmlNode* element) const {
  element->SetAttribute("iit", str::format("%d", mTotalTime));
  element->SetAttribute("act", mActive ? "1" : "0");
}

void OInvisibilityOverlay::Load(const TXmlNode* element) {
  mTotalTime = element->GetAttribute("iit").to_int();
  // The loaded overlay takes the running one's place, never adds to it.
  Stop();
  if (element->GetAttribute("act").to_int() == 1) Start();
}
