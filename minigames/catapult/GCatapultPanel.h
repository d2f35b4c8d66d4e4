#pragma once
// The catapult game's aiming picture on its panel: the catapult and its
// shadow turn left and right with the aim, the bucket tilts with its
// distance. The menu button of the panel only marks a click here; the
// scene's tick opens the menu.

#include "game/LuaBinding.h"
#include "sdk/TSprite.h"
#include "sdk/TWindow.h"

class GCatapultPanel : public TWindow {
  TWINDOW_CLASS(GCatapultPanel, TWindow)
 public:
  GCatapultPanel() = default;
  ~GCatapultPanel() override;

  void Init(TWindowStyle& style) override;
  void Draw() override;

  void OnMenuClick() { mClicked = true; }
  bool IsClicked() const { return mClicked; }
  void ClearClicked() { mClicked = false; }
  // Radians.
  void SetCatapultAngle(float angle);
  void SetBucketAngle(float angle);

  const TSpriteRef& GetCatapultSprite() const { return mCatapult; }
  const TSpriteRef& GetShadowSprite() const { return mShadow; }
  const TSpriteRef& GetBucketSprite() const { return mBucket; }

 private:
  TSpriteRef mRoot;
  TSpriteRef mShadow;
  TSpriteRef mCatapult;
  TSpriteRef mBucket;
  bool mClicked = false;
  LuaNameSet mLuaNames{this};
};

// Turns the sprite's picture by the angle (radians) about its origin point,
// leaving its position.
void SetSpriteRotation(float angle, const TSpriteRef& sprite);
