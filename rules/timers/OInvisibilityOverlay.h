#pragma once
// The look of invisibility: a full-screen sprite whose particle effects run
// while the player is invisible, faded in over the first and out over the
// last fade time of the invisibility.

#include <cstdint>
#include <vector>

#include "sdk/TSprite.h"
#include "visual/TFxSprite.h"

class TXmlNode;

class OInvisibilityOverlay {
 public:
  // The `invisibility` element: "fade_seconds" (taken as milliseconds) and
  // one particle effect per child. Null gives an overlay without particles.
  explicit OInvisibilityOverlay(const TXmlNode* element);

  // Starts one set of the particle effects; a second start adds a second set.
  void Start();
  // Removes every particle effect and marks it done.
  void Stop();
  // Milliseconds of invisibility left: sets the sprite's alpha.
  void SetTime(int32_t left);
  void SetTotalTime(int32_t ms) { mTotalTime = ms; }
  int32_t GetTotalTime() const { return mTotalTime; }
  int32_t GetFadeTime() const { return mFadeTime; }
  bool IsActive() const { return mActive; }

  // "iit" and "act". Loading replaces the running particles.
  void Save(TXmlNode* element) const;
  void Load(const TXmlNode* element);

  const TSpriteRef& GetSprite() const { return mSprite; }
  const std::vector<TFxSpriteRef>& GetParticles() const { return mParticles; }

 private:
  TSpriteRef mSprite;
  int32_t mTotalTime = 0;
  int32_t mFadeTime = 0;
  const TXmlNode* mElement = nullptr;  // the configuration's
  bool mActive = false;
  std::vector<TFxSpriteRef> mParticles;
};
