#pragma once
// The hidden-object scene: background, items, masks, drop zones, particle
// effects and animations, a front-item holder for a note or a dialog, and
// the caption. It runs the road of a click (drop zones, then masks, then
// the held item) and the use of the item on the pointer. Every game scene
// kind derives from it.

#include <vector>

#include "game/GScene.h"
#include "visual/GVDrawList.h"

class GFrontItemHolder;
class GMasksManager;
class GVObjectWrapper;
class GZInterpolator;
class IItem;
class ODropZoneSet;

class GFullScreenGameScene;

// Draws the scene's first effect sprite over the scene's visual objects.
class GSceneEffectsWnd : public TWindow {
  TWINDOW_CLASS(GSceneEffectsWnd, TWindow)
 public:
  GSceneEffectsWnd() = default;
  explicit GSceneEffectsWnd(GFullScreenGameScene* scene) : mScene(scene) {}
  void PostDraw() override;

 private:
  GFullScreenGameScene* mScene = nullptr;
};

class GFullScreenGameScene : public GScene {
  TWINDOW_CLASS(GFullScreenGameScene, GScene)
 public:
  // Interaction modes; any but kPlay counts as paused.
  enum { kPlay = 0, kNote = 1, kDialog = 2 };

  GFullScreenGameScene();
  ~GFullScreenGameScene() override;

  void Init(TWindowStyle& style) override;
  void PostDraw() override;
  bool OnMouseDown(const TPoint& point) override;
  // Only the extended event 1 is used.
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;
  bool OnMouseMove(const TPoint& point) override;

  TWindow* GetLayer() override { return mHintLayer; }
  void Update() override;
  OItemsManager* GetItemsManager() override { return mItemsManager; }
  void SetItemsManager(OItemsManager* manager) override { mItemsManager = manager; }
  void UseHeldItem(const TPoint& point) override;
  void Pause() override;
  void Resume() override;
  void OnDestroy() override;
  void OnDestroyKeepItems() override;
  void OnStart() override;
  void ReleaseItemsManager() override { mItemsManager = nullptr; }
  void SaveState() override;
  bool IsPaused() override { return mPaused || mInteractionMode != kPlay; }
  int GetInteractionMode() override { return mInteractionMode; }
  OSimpleBackground* GetBackground() override { return mBackground; }

  // Takes the background over and adopts it into the background layer.
  virtual void SetBackground(OSimpleBackground* background);
  // The road of a click; true when something took it.
  virtual bool OnSceneClick(const TPoint& point);
  virtual TSpriteRef AddParticleEffect(TXmlNode* node, int x, int y, bool onTop);
  virtual void SetInteractionMode(int mode) { mInteractionMode = mode; }
  virtual bool IsItemAvailable(const str& name);
  virtual GGamePanel* GetPanel() { return nullptr; }
  virtual void SetMagicControlEnabled(bool enabled) {}

  void ShowFrontItem(IItem* item);
  void TakeFrontItem();
  bool IsSceneItem(const str& name) const;
  void DeactivateParticles();

  TSpriteRef GetEffectsSpriteA() override { return mEffectSpriteA; }
  TSpriteRef GetEffectsSpriteB() override { return mEffectSpriteB; }
  std::vector<TFxSpriteRef>* GetEffectsList() override { return &mParticles; }
  std::vector<GBaseInterpolator*>* GetEffectsHost() override { return &mInterpolators; }

  void DrawObjects(TWindow* wrapper) override;

  // Filled in by the directors.
  void SetItemNames(std::vector<str>* names);  // takes it over
  const std::vector<str>* GetItemNames() const { return mItemNames; }
  void SetMasksManager(GMasksManager* masks) { mMasksManager = masks; }
  GMasksManager* GetMasksManager() const { return mMasksManager; }
  void SetDropZoneSet(ODropZoneSet* set);  // takes it over
  ODropZoneSet* GetDropZoneSet() const { return mDropZones; }
  void SetStartAction(IAction* action);  // takes it over
  IAction* GetStartAction() const { return mStartAction; }
  void SetDropZonesOnTop(bool onTop) { mDropZonesOnTop = onTop; }
  bool GetDropZonesOnTop() const { return mDropZonesOnTop; }
  void SetDropZoneHints(bool enabled) { mDropZoneHints = enabled; }
  bool GetDropZoneHints() const { return mDropZoneHints; }
  void SetStandardPointer(bool standard) { mStandardPointer = standard; }
  bool GetStandardPointer() const { return mStandardPointer; }

  TWindow* GetOverlayLayer() const { return mOverlayLayer; }
  TWindow* GetBackgroundLayer() const { return mBackgroundLayer; }
  TWindow* GetPanelLayer() const { return mPanelLayer; }
  TWindow* GetUpperLayer() const { return mUpperLayer; }
  TWindow* GetPopupLayer() const { return mPopupLayer; }
  GFrontItemHolder* GetFrontItemHolder() const { return mFrontItemHolder; }
  GVDrawList& GetDrawList() { return mDrawList; }
  std::vector<GZInterpolator*>& GetAnimations() { return mAnimations; }

 protected:
  // The front item goes to the pointer and the scene back to play.
  void FrontItemToPointer();
  // Queues a drop-zone hint of game_screen/drop_zone_hints/<key>.
  void QueueDropZoneHint(const str& key);
  // The timers' step of the tick; a sleeping zone lets time pass its own way.
  virtual void UpdateTimers();
  // Whether the timer indicators are drawn over the scene's objects.
  virtual bool DrawsIndicators() const { return true; }

  std::vector<str>* mItemNames = nullptr;  // owned
  TWindow* mOverlayLayer = nullptr;
  std::vector<GZInterpolator*> mAnimations;  // owned
  bool mDropZonesOnTop = false;
  OSimpleBackground* mBackground = nullptr;  // owned
  GMasksManager* mMasksManager = nullptr;
  OItemsManager* mItemsManager = nullptr;  // owned unless released
  GVObjectWrapper* mObjectWrapper = nullptr;
  TWindow* mBackgroundLayer = nullptr;
  TWindow* mPanelLayer = nullptr;
  TWindow* mUpperLayer = nullptr;
  TWindow* mHintLayer = nullptr;
  TWindow* mPopupLayer = nullptr;
  GSceneEffectsWnd* mEffectsWnd = nullptr;
  ODropZoneSet* mDropZones = nullptr;  // owned
  int mInteractionMode = kPlay;
  GFrontItemHolder* mFrontItemHolder = nullptr;
  GVDrawList mDrawList;
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
  TSpriteRef mEffectSpriteA;
  TSpriteRef mEffectSpriteB;
  std::vector<TFxSpriteRef> mParticles;
  IAction* mStartAction = nullptr;  // owned
  bool mDropZoneHints = false;
  bool mStandardPointer = false;
};
