#pragma once
// Background effects: what a scene's background runs over its picture while
// the player is poisoned. The background ticks its one effect every scene
// tick (16 ms) and deletes it once it is done or when it stops it.

#include "sdk/TRandom.h"
#include "sdk/TSprite.h"

class TImage;
class TWindow;

class OEffect {
 public:
  virtual ~OEffect() = default;
  virtual void Tick() = 0;
  virtual bool IsDone() = 0;
  // Ends the effect at once, leaving the scene as it was before it.
  virtual void Stop() = 0;

 protected:
  TSpriteRef mSprite;
};

// Poison: the picture nearly vanishes, swells, drifts to and fro, shrinks
// back and fades in again, about 9.2 seconds in all.
class OPoisonEffect : public OEffect {
 public:
  enum { kGrow = 1, kWobble = 2, kShrink = 3, kFadeIn = 4, kDone = 5 };
  // Ticks of each phase; a phase ends when its count exceeds its limit.
  static const int kGrowTicks = 100, kWobbleTicks = 250, kFadeTicks = 120;
  static constexpr float kMaxScale = 1.15f;
  // How far the picture's centre drifts from its rest, in pixels.
  static const int kDriftX = 59, kDriftY = 29;

  // Sets the picture's alpha to 0.1 at once.
  explicit OPoisonEffect(const TSpriteRef& sprite);
  void Tick() override;
  bool IsDone() override { return mPhase == kDone; }
  void Stop() override { SetPhase(kDone); }
  void SetPhase(int phase);

  int GetPhase() const { return mPhase; }
  int GetTickCount() const { return mTickCount; }
  float GetDriftX() const { return mDx; }
  float GetDriftY() const { return mDy; }
  const TVec3& GetRest() const { return mRest; }

 private:
  void SetScale(float scale);

  int mTickCount = 0;
  int mPhase = kGrow;
  TRandom mRandom;
  TVec3 mRest;
  float mDx = 0, mDy = 0;
};

// The berry: game_screen/berry_poison_effect laid over the scene, faded in
// and out over "alpha_ticks" ticks each.
class OBerryPoisonEffect : public OEffect {
 public:
  enum { kFadeIn = 0, kFadeOut = 1, kDone = 2 };
  // The owner adopts the picture (none when the owner is null).
  explicit OBerryPoisonEffect(TWindow* owner);
  ~OBerryPoisonEffect() override;
  void Tick() override;
  bool IsDone() override { return mPhase == kDone; }
  void Stop() override;

  TImage* GetImage() const { return mImage; }
  int GetPhase() const { return mPhase; }
  int GetAlphaTicks() const { return mAlphaTicks; }

 private:
  void SetAlpha(float alpha);

  TWindow* mOwner;
  TImage* mImage = nullptr;  // owned
  int mPhase = kFadeIn;
  int mTickCount = 0;
  int mAlphaTicks = 1;
};
