#pragma once
// The painted picture of a game scene, an 800 by 600 window in the scene's
// background layer. It is also where the poison effects of the rules run
// over the picture.

#include "sdk/TSprite.h"
#include "sdk/TWindow.h"

class OEffect;

class OSimpleBackground : public TWindow {
  TWINDOW_CLASS(OSimpleBackground, TWindow)
 public:
  OSimpleBackground() : OSimpleBackground(nullptr, TSpriteRef()) {}
  // The sprite may be empty: then nothing is drawn.
  OSimpleBackground(TWindow* overlay, const TSpriteRef& sprite);
  ~OSimpleBackground() override;

  void PostDraw() override;
  // One tick: runs the effect and drops it once it is done.
  virtual void Update();
  // Each starts only when no effect runs.
  void StartPoisonEffect();
  void StartBerryPoisonEffect();
  void StopEffect();

  OEffect* GetEffect() const { return mEffect; }
  const TSpriteRef& GetSprite() const { return mSprite; }
  TWindow* GetOverlay() const { return mOverlay; }

 protected:
  OEffect* mEffect = nullptr;  // owned
  TSpriteRef mSprite;
  TWindow* mOverlay = nullptr;  // not owned
};
