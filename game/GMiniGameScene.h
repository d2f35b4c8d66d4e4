#pragma once
// Base of the mini-game scenes: its own draw list, a sprite root for the
// particle effects, and an overlay and a popup layer above the fade image,
// so a mini-game's popups and hints are not darkened by its fade.

#include <vector>

#include "game/GScene.h"
#include "visual/GVDrawList.h"

class GMasksManager;
class GSplineInterpolator;
class GZInterpolator;

class GMiniGameScene : public GScene {
  TWINDOW_CLASS(GMiniGameScene, GScene)
 public:
  GMiniGameScene();
  ~GMiniGameScene() override;

  TWindow* GetLayer() override { return mOverlayLayer; }
  void Update() override;
  OItemsManager* GetItemsManager() override { return mItemsManager; }
  void SetItemsManager(OItemsManager* manager) override { mItemsManager = manager; }

  // The mini-game keeps its state node.
  virtual void SetConfigNode(TXmlNode* node) {}
  // Takes the window made from the node "bg".
  virtual void AdoptOverlayChild(TWindow* child);
  virtual void Finish(bool won) {}
  // A particle effect of the node's "file" at (x, y) on the next layer, with
  // its "ip" paths; kept until the scene dies.
  virtual TSpriteRef AddAnimation(TXmlNode* node, int x, int y);

  void DrawObjects(TWindow* wrapper) override;

  std::vector<TFxSpriteRef>* GetEffectsList() override { return mParticles; }
  std::vector<GBaseInterpolator*>* GetEffectsHost() override { return &mInterpolators; }
  TSpriteRef GetEffectsSpriteA() override { return mSpriteRoot; }
  TSpriteRef GetEffectsSpriteB() override { return mSpriteRoot; }

  void SetMasksManager(GMasksManager* masks) { mMasksManager = masks; }
  GMasksManager* GetMasksManager() const { return mMasksManager; }
  TWindow* GetPopupLayer() const { return mPopupLayer; }
  GVDrawList& GetDrawList() { return mDrawList; }
  const TSpriteRef& GetSpriteRoot() const { return mSpriteRoot; }
  std::vector<GZInterpolator*>& GetAnimations() { return mAnimations; }

 protected:
  TSpriteRef mSpriteRoot;
  std::vector<TFxSpriteRef>* mParticles;           // owned
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
  std::vector<GZInterpolator*> mAnimations;        // owned
  GVDrawList mDrawList;
  TWindow* mOverlayLayer = nullptr;
  TWindow* mPopupLayer = nullptr;
  OItemsManager* mItemsManager = nullptr;  // owned
  GMasksManager* mMasksManager = nullptr;
};
