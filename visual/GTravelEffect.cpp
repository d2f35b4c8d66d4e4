#include "GTravelEffect.h"

#include "sdk/TImage.h"

GTravelEffect::GTravelEffect(const std::vector<TImage*>& images, int ticksPerFade, bool unlock)
    : mUnlock(unlock), mTicksPerFade(ticksPerFade < 1 ? 1 : ticksPerFade) {
  mImages.push_back(new TImage(true));
  mImages.insert(mImages.end(), images.begin(), images.end());
  SetWindowSize(800, 600);
}

GTravelEffect::~GTravelEffect() {
  for (TImage* image : mImages) {
    if (image->GetParent()) image->GetParent()->OrphanChild(image);
    delete image;
  }
}

void GTravelEffect::SetEffectState(int state) {
  mEffectState = state;
  for (TImage* image : mImages)
    if (image->GetParent()) image->GetParent()->OrphanChild(image);
  if (state == kRunning && mIndex < int(mImages.size())) {
    AdoptChild(mImages[mIndex], true);
    mImages[mIndex]->SetAlpha(1);
    if (mIndex + 1 < int(mImages.size())) {
      AdoptChild(mImages[mIndex + 1], true);
      mImages[mIndex + 1]->SetAlpha(0);
    }
    mTick = 0;
  }
  Tick();
}

void GTravelEffect::Tick() {
  if (mEffectState != kRunning || mIndex >= int(mImages.size())) return;
  ++mTick;
  float done = float(mTick) / float(mTicksPerFade);
  if (mIndex + 1 < int(mImages.size()))
    mImages[mIndex + 1]->SetAlpha(done);
  else
    mImages[mIndex]->SetAlpha(1 - done);
  if (mTick >= mTicksPerFade) {
    ++mIndex;
    SetEffectState(mIndex >= int(mImages.size()) ? kFinished : kFadeEnded);
  }
}
