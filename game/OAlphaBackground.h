#pragma once
// A background that cross-fades through a series of images, one pair at a
// time, each fade lasting "delay" ticks, and then stays on the last image.
// Leaving the scene may set a game variable, quietly, to say it was seen.

#include <vector>

#include "game/OSimpleBackground.h"

class TImage;

class OAlphaBackground : public OSimpleBackground {
  TWINDOW_CLASS(OAlphaBackground, OSimpleBackground)
 public:
  enum { kFading = 0, kFinished = 1 };

  OAlphaBackground() : OAlphaBackground(nullptr, std::vector<TImage*>(), 0) {}
  // Takes the images over; `delay` is in ticks.
  OAlphaBackground(TWindow* overlay, const std::vector<TImage*>& images, int delay);
  ~OAlphaBackground() override;

  void SetExitFlag(const str& name, const str& value);
  // One tick of the fade; the picture effect of the base is not run here.
  void Update() override;
  void SetPhase(int phase);

  const std::vector<TImage*>& GetImages() const { return mImages; }
  int GetIndex() const { return mIndex; }
  int GetTick() const { return mTick; }
  int GetPhase() const { return mPhase; }
  int GetDelay() const { return mDelay; }

 private:
  std::vector<TImage*> mImages;  // owned
  int mIndex = 0;
  int mTick = 0;
  int mPhase = kFading;
  int mDelay;
  str mExitFlagName;
  str mExitFlagValue;
};
