#pragma once
// A brewed potion shown as pictures that build up one after another, some
// preceded by a particle effect, kept once complete and faded out when the
// potion is drawn off or thrown away. The alchemical device creates it, lets
// its host window adopt it, sets its phase and ticks it.

#include <vector>

#include "sdk/TWindow.h"
#include "visual/TFxSprite.h"

class TImage;
class TXmlNode;

class OAlchemicalDevicePotionEffect : public TWindow {
 public:
  // Phases: the device sets 1 and 3, the window reaches 2 and 4 itself.
  enum { kNotStarted = 0, kPlaying = 1, kComplete = 2, kFading = 3, kFaded = 4 };
  enum { kFadeTicks = 60 };

  OAlchemicalDevicePotionEffect();
  // Deletes the pictures it made, adopted or not.
  ~OAlchemicalDevicePotionEffect() override;

  // From a recipe's "animation": "delay", "images", "particles". A null node
  // gives a potion without pictures.
  void Load(TXmlNode* animation);
  // The entry work of a phase: 0 starts from the first picture, 1 shows
  // every picture, 2 the same with the counter from 0, 3 takes them out.
  // The caller sets the phase itself first.
  void SetPhase(int mode);
  void Update();
  void PostDraw() override;

  int phase = kNotStarted;

  int GetFrame() const { return mFrame; }
  int GetCounter() const { return mCounter; }
  int GetImageCount() const { return int(mImages.size()); }
  // The picture of that index, made on first use; null outside the list.
  TImage* GetImage(int index);
  bool IsWaitingForParticle() const { return mWaiting; }
  const TFxSpriteRef& GetParticle() const { return mParticle; }

 private:
  struct ParticleEntry {
    TXmlNode* node;
    int frame;
    int delay;
  };
  void HideImages();
  void ShowAllImages();
  bool HasFrameParticle() const;
  void StartFrameParticle();
  void SetAlphaOfImages(float alpha);

  std::vector<TXmlNode*> mImages;
  std::vector<TImage*> mImageWindows;  // owned; null until first needed
  int mFrame = 0;
  int mCounter = 0;
  int mFrameDelay = 0;
  std::vector<ParticleEntry> mParticles;
  TFxSpriteRef mParticle;
  int mParticleWait = 0;
  bool mWaiting = false;
  TSpriteRef mContainer;
};
