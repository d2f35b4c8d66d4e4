#pragma once
// The window on which the navigator's player picks a destination world
// ("GTravelSelection", built by the script that the navigator kind's
// travel_selection names), its locations ("GTravelLocation", one per world:
// a button, a picture of the world and a small animation) and their buttons
// ("GTravelButton"). Worlds not yet unlocked, and the world the player is
// in, are left out; a newly unlocked world plays its unlock effect once.
// The buttons report the choice through the navigator's Lua globals, which
// their scripts call.

#include <vector>

#include "sdk/TSprite.h"
#include "sdk/TWindow.h"
#include "visual/GButton.h"
#include "visual/GVObject.h"
#include "visual/TFxSprite.h"

class GBaseInterpolator;
class GTravelButton;
class GVLuaObject;
class GVObjectWrapper;
class TImage;

class GTravelLocation : public TWindow {
  TWINDOW_CLASS(GTravelLocation, TWindow)
 public:
  // Style keys "ind" (the world picture's child is "world_img<ind>") and
  // "world_id".
  void PostChildrenInit(TWindowStyle& style) override;
  void SetHighlighted(bool highlighted);
  // One tick of the world picture's fade: in over 20 ticks while
  // highlighted, out over 10 otherwise.
  void UpdateWorldImage();
  str GetWorldId() const { return mWorldId; }

  bool IsHighlighted() const { return mHighlighted; }
  GTravelButton* GetButton() const { return mButton; }
  GVLuaObject* GetAnim() const { return mAnim; }
  TImage* GetWorldImage() const { return mWorldImage; }
  int GetCentreX() const { return mCentreX; }
  int GetCentreY() const { return mCentreY; }
  // Whether it has the button and world picture that make it usable.
  bool IsComplete() const { return mButton && mWorldImage; }

  // The world picture's alpha after one fade step from `alpha`.
  static float NextWorldAlpha(float alpha, bool highlighted);

 private:
  GTravelButton* mButton = nullptr;
  GVLuaObject* mAnim = nullptr;
  TImage* mWorldImage = nullptr;
  bool mHighlighted = false;
  str mWorldId;
  int mCentreX = 0, mCentreY = 0;
};

// Its parent is its location: the location's highlight follows the mouse
// over the button.
class GTravelButton : public GButton {
  TWINDOW_CLASS(GTravelButton, GButton)
 public:
  void StateUpdate(int state, int arg) override;
};

class GTravelSelection : public TWindow, public GVObjectWrapperClient {
  TWINDOW_CLASS(GTravelSelection, TWindow)
 public:
  ~GTravelSelection() override;
  // Style keys "config" (the navigator kind node's name) and
  // "num_locations" (children "loc0" .. "loc<n-1>").
  void PostChildrenInit(TWindowStyle& style) override;
  void RemoveHomeLocation();
  void UpdateWorldImages();
  void DrawObjects(TWindow* wrapper) override;

  const std::vector<GTravelLocation*>& GetLocations() const { return mLocations; }
  const std::vector<TFxSpriteRef>& GetParticles() const { return mParticles; }

 private:
  void RemoveLocation(size_t index);

  std::vector<GTravelLocation*> mLocations;  // windows of the tree
  GVObjectWrapper* mWrapper = nullptr;       // child
  TSpriteRef mSpriteRoot;
  std::vector<TFxSpriteRef> mParticles;
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
};
