#pragma once
// The scene window base. The game window holds exactly one current scene:
// it ticks it, forwards keys and pauses to it, asks it to save itself and
// deletes it on a scene change. Every scene has three full-screen layers
// (scene, caption, top) and a fade image on the top layer whose alpha is the
// fade; a fade takes 35 ticks each way.

#include <vector>

#include "sdk/TWindow.h"
#include "tools/panel/IPanelClient.h"
#include "visual/GVObject.h"

class GGamePanel;
class IAction;
class OItemsManager;
class OSceneCaption;
class OSimpleBackground;
class TImage;
class TXmlNode;

class GScene : public TWindow, public IPanelClient, public GVObjectWrapperClient {
  TWINDOW_CLASS(GScene, TWindow)
 public:
  // Scene states: 0 fading in, 1 active, 2 fading out before a scene change,
  // 3 faded out after 2, 4 fading out for another reason, 5 faded out after 4.
  enum { kFadeIn = 0, kActive = 1, kFadeOutScene = 2, kFadedOutScene = 3, kFadeOut = 4, kFadedOut = 5 };
  enum { kFadeTicks = 35 };
  // Border indices.
  enum { kBorderLeft, kBorderRight, kBorderTop, kBorderBottom, kBorderExit, kBorderCount };

  GScene();
  ~GScene() override;

  virtual void SetState(int state);
  // The window into which the hints manager adopts its hint windows.
  virtual TWindow* GetLayer() { return nullptr; }
  virtual void Update();
  virtual bool UsesPanel() { return false; }
  virtual void AttachPanel(GGamePanel* panel) {}
  virtual void DetachPanel() {}
  virtual OItemsManager* GetItemsManager() { return nullptr; }
  virtual void SetItemsManager(OItemsManager* manager) {}
  virtual void UseHeldItem(const TPoint& point) {}
  // Takes the vector and its actions over (null entries allowed): index 0
  // left, 1 right, 2 top, 3 bottom, 4 exit.
  virtual void SetBorders(std::vector<IAction*>* borders);
  virtual void Pause();
  virtual void Resume();
  virtual void OnDestroy() {}
  virtual void OnDestroyKeepItems() {}
  virtual void OnStart() {}
  virtual void OnGameKeyDown(char key, unsigned flags) {}
  virtual void OnGameKeyUp(char key) {}
  virtual void ReleaseItemsManager() {}
  virtual void SaveState() {}
  // What the scene saves of its own (a game's registry child), written into
  // the node; SaveState and the scenario runner read it the same way.
  virtual void WriteState(TXmlNode* node) {}
  // WriteState, plus whatever a scenario needs to find its way (the
  // positions to click); the game never reads it.
  virtual void DescribeState(TXmlNode* node) { WriteState(node); }
  virtual bool IsPaused() { return mPaused; }
  virtual int GetInteractionMode() { return 0; }
  virtual OSimpleBackground* GetBackground() { return nullptr; }
  // The node is valid only during the call.
  virtual void OnGameEvent(TXmlNode* event) {}

  // Sets the current scene of the game object and starts the fade out.
  void GoToScene(const str& sceneId);
  void SetCaptionText(const str& text);
  // The empty key clears the caption.
  void SetCaptionKey(const str& key);
  void SetTheme(const str& name, bool cycling);

  int GetState() const { return mState; }
  int GetFadeCounter() const { return mFadeCounter; }
  // 1 after the through-time magic, 0 after the through-space magic.
  int GetNavigatorKind() const { return mNavigatorKind; }
  const std::vector<IAction*>* GetBorders() const { return mBorders; }
  TWindow* GetTopLayer() const { return mTopLayer; }
  TWindow* GetCaptionLayer() const { return mCaptionLayer; }
  TWindow* GetSceneLayer() const { return mSceneLayer; }
  TImage* GetFadeImage() const { return mFadeImage; }
  OSceneCaption* GetCaption() const { return mCaption; }

  // The scene's answers to the panel; every scene kind that shows the panel
  // overrides some.
  void OnThroughTimeMagic() override;
  void OnThroughSpaceMagic() override;
  bool CanScrollInventory() override { return true; }
  bool IsMagicEnabled() override { return false; }
  // The sprite under which the builder puts the scene's own effects, drawn
  // over the scene's objects and under its windows.
  virtual TSpriteRef GetEffectsSpriteA() { return TSpriteRef(); }

  void DrawObjects(TWindow* wrapper) override {}

  // An empty full-screen layer (800 by 600 pixels), for a scene or the game
  // window to adopt.
  static TWindow* NewLayer();

 protected:
  // The hints manager's window belongs to whichever scene showed it; a new
  // or dying scene drops it.
  static void DropHintWindow();
  void SetFadeAlpha(double alpha);
  // Records the navigator kind, puts the game window into travel and pauses.
  void StartTravel(int navigatorKind);

  int mState = kFadeIn;
  TWindow* mTopLayer = nullptr;
  OSceneCaption* mCaption = nullptr;  // owned
  TWindow* mCaptionLayer = nullptr;
  TWindow* mSceneLayer = nullptr;
  TImage* mFadeImage = nullptr;
  int mFadeCounter = 0;
  int mNavigatorKind = 0;
  std::vector<IAction*>* mBorders = nullptr;  // owned with its actions
  bool mPaused = true;
};
