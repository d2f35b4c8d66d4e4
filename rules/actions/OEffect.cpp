#include "OEffect.h"

#include <algorithm>
#include <cmath>

#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TWindow.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
// The picture's alpha while it swells, drifts and shrinks.
const float kPoisonedAlpha = 0.1f;
// The wobble turns the drift step by a random angle below 5 degrees, with
// this value of pi.
const float kPi = 3.14f;
}  // namespace

OPoisonEffect::OPoisonEffect(const TSpriteRef& sprite) {
  mSprite = sprite;
  // The picture is drawn about its centre: at rest that is half its size.
  TTextureRef texture = mSprite ? mSprite->GetTexture() : TTextureRef();
  if (texture)
    mRest = TVec3(float(texture->GetWidth()) / 2, float(texture->GetHeight()) / 2, 0);
  else if (mSprite)
    mRest = mSprite->GetPosition();
  if (mSprite) mSprite->SetAlpha(kPoisonedAlpha);
  mDx = (mRandom.RandFloat() - 0.5f) * 2;
  mDy = (mRandom.RandFloat() - 0.5f) * 2;
  SetPhase(kGrow);
}

void OPoisonEffect::SetScale(float scale) {
  TMat3 m;
  m.Scale(scale);
  if (mSprite) mSprite->SetMatrix(m);
}

void OPoisonEffect::SetPhase(int phase) {
  mPhase = phase;
  mTickCount = 0;
  switch (phase) {
    case kGrow:
      SetScale(1);
      break;
    case kWobble:
    case kShrink:
      if (mSprite) mSprite->SetPosition(mRest);
      SetScale(kMaxScale);
      break;
    case kFadeIn:
      SetScale(1);
      if (mSprite) mSprite->SetPosition(mRest);
      break;
    case kDone:
      SetScale(1);
      if (mSprite) {
        mSprite->SetPosition(mRest);
        mSprite->SetAlpha(1);
      }
      break;
  }
}

void OPoisonEffect::Tick() {
  if (mPhase == kDone) return;
  const int c = ++mTickCount;
  switch (mPhase) {
    case kGrow:
      SetScale(1 + (kMaxScale - 1) * float(c) / kGrowTicks);
      if (c > kGrowTicks) SetPhase(kWobble);
      break;
    case kWobble: {
      const float a = mRandom.RandFloat() * 5 * kPi / 180;
      float m = mDx * std::cos(a) + mDy * std::sin(a);
      float n = mDy * std::cos(a) - mDx * std::sin(a);
      const TVec3 p = mSprite ? mSprite->GetPosition() : mRest;
      // A step that would cross a limit is turned back instead.
      if (p.x - mRest.x + m > kDriftX || p.x - mRest.x + m < -kDriftX) m = -m;
      if (p.y - mRest.y + n > kDriftY || p.y - mRest.y + n < -kDriftY) n = -n;
      mDx = m;
      mDy = n;
      if (mSprite) mSprite->SetPosition(TVec3(p.x + m, p.y + n, p.z));
      if (c > kWobbleTicks) SetPhase(kShrink);
      break;
    }
    case kShrink:
      SetScale(1 + float(kGrowTicks - c) * (kMaxScale - 1) / kGrowTicks);
      if (c > kGrowTicks) SetPhase(kFadeIn);
      break;
    case kFadeIn:
      if (mSprite) mSprite->SetAlpha(float(c) / kFadeTicks);
      if (c > kFadeTicks) SetPhase(kDone);
      break;
  }
}

OBerryPoisonEffect::OBerryPoisonEffect(TWindow* owner) : mOwner(owner) {
  TXmlNode* element = OGameConfig::GetInstance()->GetGameScreenChild("berry_poison_effect");
  mImage = LoadImageFromXml(element);
  // Below one tick a fade would divide by zero: it takes one tick instead.
  mAlphaTicks = std::max(1, element ? element->GetAttribute("alpha_ticks").to_int() : 0);
  mImage->SetAlpha(0);
  if (mOwner) mOwner->AdoptChild(mImage);
}

OBerryPoisonEffect::~OBerryPoisonEffect() {
  if (mImage->GetParent()) mImage->GetParent()->OrphanChild(mImage);
  delete mImage;
}

void OBerryPoisonEffect::SetAlpha(float alpha) {
  mImage->SetAlpha(alpha);
}

void OBerryPoisonEffect::Tick() {
  if (mPhase == kFadeIn) {
    ++mTickCount;
    SetAlpha(float(mTickCount) / float(mAlphaTicks));
    if (mTickCount >= mAlphaTicks) {
      mPhase = kFadeOut;
      mTickCount = 0;
      SetAlpha(1);
    }
  } else if (mPhase == kFadeOut) {
    ++mTickCount;
    SetAlpha(1 - float(mTickCount) / float(mAlphaTicks));
    if (mTickCount >= mAlphaTicks) {
      mPhase = kDone;
      mTickCount = 0;
      SetAlpha(0);
    }
  }
}

void OBerryPoisonEffect::Stop() {
  mPhase = kDone;
  mTickCount = 0;
  SetAlpha(0);
}
