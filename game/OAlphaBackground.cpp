#include "OAlphaBackground.h"

#include <algorithm>

#include "game/OFlagsRegistry.h"
#include "sdk/TImage.h"

OAlphaBackground::OAlphaBackground(TWindow* overlay, const std::vector<TImage*>& images, int delay)
    : OSimpleBackground(overlay, TSpriteRef()), mImages(images), mDelay(delay) {
  mImages.erase(std::remove(mImages.begin(), mImages.end(), nullptr), mImages.end());
  SetPhase(mImages.size() < 2 ? kFinished : kFading);
}

OAlphaBackground::~OAlphaBackground() {
  if (!mExitFlagName.empty()) OFlagsRegistry::GetInstance()->SetValueSilently(mExitFlagName, mExitFlagValue);
  for (TImage* image : mImages) {
    if (image->GetParent()) image->GetParent()->OrphanChild(image);
    delete image;
  }
}

void OAlphaBackground::SetExitFlag(const str& name, const str& value) {
  mExitFlagName = name;
  mExitFlagValue = value;
}

void OAlphaBackground::SetPhase(int phase) {
  mPhase = phase;
  mTick = 0;
  for (TImage* image : mImages)
    if (image->GetParent() == this) OrphanChild(image);
  if (mPhase == kFading && mIndex + 1 < int(mImages.size())) {
    mImages[mIndex]->SetAlpha(1);
    AdoptChild(mImages[mIndex]);
    mImages[mIndex + 1]->SetAlpha(0);
    AdoptChild(mImages[mIndex + 1]);
  } else if (!mImages.empty()) {
    // Finished, or nothing left to fade to: the last image stays.
    mPhase = kFinished;
    mImages.back()->SetAlpha(1);
    AdoptChild(mImages.back());
  } else {
    mPhase = kFinished;
  }
}

void OAlphaBackground::Update() {
  if (mPhase != kFading) return;
  ++mTick;
  // A delay of 0 or less fades at once: one image a tick.
  float c = mDelay > 0 ? float(mTick) / float(mDelay) : 1.0f;
  mImages[mIndex]->SetAlpha(1 - c);
  mImages[mIndex + 1]->SetAlpha(c);
  if (mTick < mDelay) return;
  ++mIndex;
  SetPhase(mIndex + 1 >= int(mImages.size()) ? kFinished : kFading);
}
