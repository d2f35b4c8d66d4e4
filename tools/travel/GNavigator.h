#pragma once
// The full-screen journey between worlds. It covers the scene with a
// picture, shows the travel selection on which the player picks a world or
// backs out, and then fades back to the unchanged scene or shows the travel
// picture while the game window builds the chosen world's scene. It never
// builds or deletes scenes itself: the game window does the scene work its
// states ask for (2 take the scene out, 5 put it back, 10 rebuild, 12 done).

#include <vector>

#include "game/LuaBinding.h"
#include "sdk/TSprite.h"
#include "sdk/TWindow.h"
#include "visual/GVObject.h"
#include "visual/TFxSprite.h"

class GBaseInterpolator;
class GTravelSelection;
class GVObjectWrapper;
class TImage;
class TXmlNode;

class GNavigator : public TWindow, public GVObjectWrapperClient {
  TWINDOW_CLASS(GNavigator, TWindow)
 public:
  enum { kThroughSpace = 0, kThroughTime = 1 };
  // The states; there is no 7.
  enum {
    kStart = 0,
    kCover = 1,
    kSceneOff = 2,
    kSelectionIn = 3,
    kCancelCover = 4,
    kCancelSceneBack = 5,
    kCancelUncover = 6,
    kChoosing = 8,
    kTravelCover = 9,
    kNewScene = 10,
    kTravelUncover = 11,
    kDone = 12
  };
  // Ticks of the cover and uncover fades.
  enum { kFadeTicks = 150 };

  GNavigator() : GNavigator(nullptr, kThroughSpace, true) {}
  // `config` (not owned) is the kind's node, game_screen/navigator/through_space
  // or through_time; without `keepHome` the destination "home" is not offered.
  GNavigator(TXmlNode* config, int kind, bool keepHome);
  // Also gives the sound effects back the volume they had when it was made,
  // and shows the pointer again, so a journey ended by quitting leaves the
  // game neither silent nor without a pointer.
  ~GNavigator() override;

  void SetState(int state);
  void Tick();
  void DrawObjects(TWindow* wrapper) override;

  // Lua "onNavigatorExitClick" and "notifyWorldButtonClick".
  void onNavigatorExitClick();
  void notifyWorldButtonClick(str worldId);

  int GetState() const { return mState; }
  int GetTickCount() const { return mTicks; }
  int GetKind() const { return mKind; }
  GTravelSelection* GetSelection() const { return mSelection; }
  TImage* GetPreTravelImage() const { return mPreTravel; }
  TImage* GetTravelImage() const { return mTravel; }
  TImage* GetAfterPortalImage() const { return mAfterPortal; }
  GVObjectWrapper* GetObjectWrapper() const { return mWrapper; }
  const str& GetSavedTheme() const { return mSavedTheme; }
  float GetSavedEffectsVolume() const { return mSavedVolume; }
  const std::vector<TFxSpriteRef>& GetParticles() const { return mParticles; }

  // The alpha of a fade on its n-th tick (n from 1): n / 150 in, 1 - n / 150
  // out. The 151-tick fades end on 151/150 or -1/150, which images clamp.
  static float FadeAlpha(int n, bool in);

 private:
  void OrphanChildren();
  void Adopt(TWindow* child);
  void BuildSelection();
  void DeleteSelection();
  // One tick of a fade of `image`; true when it is over: after `ticks`
  // ticks, or after one more when `inclusive`.
  bool FadeTick(TImage* image, bool in, bool inclusive);

  TXmlNode* mConfig = nullptr;
  int mKind = kThroughSpace;
  bool mKeepHome = true;
  int mState = kStart;
  int mTicks = 0;
  TImage* mPreTravel = nullptr;    // owned
  TImage* mTravel = nullptr;       // owned
  TImage* mAfterPortal = nullptr;  // owned
  int mStartTicks = 0;
  TSpriteRef mSpriteRoot;
  std::vector<TFxSpriteRef> mParticles;
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
  GVObjectWrapper* mWrapper = nullptr;             // owned
  GTravelSelection* mSelection = nullptr;          // owned while it exists
  str mSavedTheme;
  float mSavedVolume = 1;
  LuaNameSet mLuaNames;
};
