#pragma once
// The entrance picture of the navigator family ("GNavigatorEntrance"): a
// window that scripts and styles can build, with a background, a panel, two
// buttons that act through their own styles, a door mask, particles and
// state animations. Load takes its parts from a configuration node; the
// entrance itself only draws them.

#include <vector>

#include "sdk/TSprite.h"
#include "sdk/TTexture.h"
#include "sdk/TWindow.h"
#include "visual/GVDrawList.h"
#include "visual/GVObject.h"
#include "visual/TFxSprite.h"

class GBaseInterpolator;
class GButton;
class GVObjectWrapper;
class GZInterpolator;
class TImage;
class TXmlNode;

class GNavigatorEntrance : public TWindow, public GVObjectWrapperClient {
  TWINDOW_CLASS(GNavigatorEntrance, TWindow)
 public:
  GNavigatorEntrance();
  ~GNavigatorEntrance() override;

  // `config` is kept, not owned.
  virtual void Load(TXmlNode* config);
  void DrawObjects(TWindow* wrapper) override;

  TImage* GetBackground() const { return mBackground; }
  TImage* GetPanel() const { return mPanel; }
  TImage* GetPanelButton() const { return mPanelButton; }
  GButton* GetExitButton() const { return mExitButton; }
  GButton* GetEntranceButton() const { return mEntranceButton; }
  const TRect& GetDoorRect() const { return mDoorRect; }
  int GetDelay() const { return mDelay; }
  const std::vector<GZInterpolator*>& GetAnimations() const { return mAnimations; }
  const std::vector<TFxSpriteRef>& GetParticles() const { return mParticles; }

 private:
  TXmlNode* mConfig = nullptr;
  TImage* mBackground = nullptr;
  TImage* mPanel = nullptr;
  TImage* mPanelButton = nullptr;
  GButton* mExitButton = nullptr;      // owned
  GButton* mEntranceButton = nullptr;  // owned
  GVObjectWrapper* mWrapper = nullptr;
  TTextureRef mDoorMask;  // locked for reading while the entrance lives
  bool mDoorLocked = false;
  TRect mDoorRect;
  int mDelay = 0;
  TSpriteRef mSpriteRoot;
  std::vector<TFxSpriteRef> mParticles;
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
  std::vector<GZInterpolator*> mAnimations;        // owned
  GVDrawList mDrawList;
};
