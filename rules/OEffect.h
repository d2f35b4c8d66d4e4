#pragma once
// Background effects that a scene runs over its picture. Stand-ins, replaced
// when the poison effects are built: they hold what they were made with,
// animate nothing and report themselves done at once, so owners release them
// on the next check.

#include "sdk/TSprite.h"

class TWindow;

class OEffect {
public:
  virtual ~OEffect() = default;
  virtual void Tick() {}
  virtual bool IsDone() { return true; }
  virtual void Stop() {}
};

class OPoisonEffect : public OEffect {
public:
  explicit OPoisonEffect(const TSpriteRef& picture) : mPicture(picture) {}

private:
  TSpriteRef mPicture;
};

class OBerryPoisonEffect : public OEffect {
public:
  explicit OBerryPoisonEffect(TWindow* overlay) : mOverlay(overlay) {}

private:
  TWindow* mOverlay;
};
