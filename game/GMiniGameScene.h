#pragma once
// Base of the mini-game scenes: its own draw list, a sprite root for the
// particle effects, and an overlay and a popup layer above the fade image,
// so a mini-game's popups and hints are not darkened by its fade. It also
// holds what every game shares: the panel, the random generator, the
// tutorial countdown and the end, which runs once: after it no input, panel
// button or Lua global of the game acts and nothing is saved, since the
// exit item, flag and scene have been handed back already.

#include <functional>
#include <vector>

#include "game/GScene.h"
#include "sdk/TRandom.h"
#include "visual/GVDrawList.h"

class GInventory;
class GMasksManager;
class IItem;
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

  // A game's own windows go under the fade (GetSceneLayer()); hints come here.
  // The mini-game keeps its state node.
  virtual void SetConfigNode(TXmlNode* node) {}
  // Takes the window made from the node "bg".
  virtual void AdoptOverlayChild(TWindow* child);
  virtual void Finish(bool won) {}
  // A particle effect of the node's "file" at (x, y) on the next layer, with
  // its "ip" paths; kept until the scene dies.
  virtual TSpriteRef AddAnimation(TXmlNode* node, int x, int y);

  void DrawObjects(TWindow* wrapper) override;

  // Keeps the panel and adopts it into the scene window.
  void AttachPanel(GGamePanel* panel) override;
  // Orphans the panel and clears its client and items manager where they
  // are this scene, so the panel never keeps a deleted client.
  void DetachPanel() override;
  void Pause() override;
  void Resume() override;
  // Writes WriteState into the registry child GetRegistryName(), unless the
  // game has finished.
  void SaveState() override;
  // The registry child the game keeps its state in; none by default.
  virtual const char* GetRegistryName() const { return nullptr; }

  bool IsMagicEnabled() override { return false; }

  GGamePanel* GetPanel() const { return mPanel; }
  TRandom& GetRandom() { return mRandom; }
  bool IsFinished() const { return mFinished; }

  // A player's item never leaves with a game. The item in the hand goes to
  // the first free cell of the main inventory or, with none free, back to
  // the scene it was taken from (its record says so, and that scene builds
  // it again); either way the hand is empty after. The fire magic cannot be
  // stored: it goes out as its burn ends, and the item it was cast on comes
  // back to be put away. Every game calls it as it starts, so that it
  // starts with the empty hand its rules expect.
  // True for an item that is the game's own piece.
  typedef std::function<bool(IItem*)> PieceTest;
  // With a test, a piece of the game stays in the hand: the game's scene
  // built again (a load, a state the variables choose) keeps what it held.
  static void PutAwayHeldItem(const PieceTest& keepPiece = PieceTest());
  // Whether PutAwayHeldItem finds the hand empty, or a cell for what it
  // holds: the game window keeps a game's door shut when it would not, so
  // that no prize is sent back to a scene that never had it.
  static bool CanPutAwayHeldItem();
  // At a game's end: a piece of the game in the hand is used up (its record
  // ended), any other item is put away as above.
  static void ClearHandAtEnd(const PieceTest& isPiece);
  // At a game's end: a game's own inventory, which no other scene shows, is
  // emptied by the same rule as the hand.
  static void ClearCellsAtEnd(GInventory* inventory, const PieceTest& isPiece);
  // Whether the items guide gives the item this "type": the games know
  // their pieces by kind ("fish", "mirror").
  static bool IsOfGuideType(IItem* item, const char* type);
  static bool IsOfGuideType(const str& name, const char* type);
  // The pieces of a game's end. The item goes to the hand (nothing for an
  // empty id or one the items guide does not know); an empty scene id means
  // the current scene, entered again so that the state the variables now
  // choose is built, and so does one the game cannot enter.
  static void GiveExitItem(const str& itemId);
  static void SetExitFlag(const str& name, const str& value);
  static void EnterExitScene(const str& sceneId);

  // The particle list, interpolators and sprite root of the scene's own
  // animations; the panel's effects never play into a game.
  std::vector<TFxSpriteRef>* GetParticles() { return mParticles; }
  std::vector<GBaseInterpolator*>* GetInterpolators() { return &mInterpolators; }

  void SetMasksManager(GMasksManager* masks) { mMasksManager = masks; }
  GMasksManager* GetMasksManager() const { return mMasksManager; }
  TWindow* GetPopupLayer() const { return mPopupLayer; }
  GVDrawList& GetDrawList() { return mDrawList; }
  const TSpriteRef& GetSpriteRoot() const { return mSpriteRoot; }
  std::vector<GZInterpolator*>& GetAnimations() { return mAnimations; }

 protected:
  // False when the game has finished already; otherwise marks it finished.
  bool BeginFinish();
  // Whether the item is one of the game's own pieces, which end with it;
  // none by default.
  virtual bool IsGamePiece(IItem* item) const { return false; }
  // The usual end: registry child deleted, the hand cleared, item, flag,
  // scene, fade out.
  void FinishWith(const str& registryChild, const str& itemId, const str& flagName, const str& flagValue,
                  const str& sceneId);
  // Reads the state node's "tutorial" child ("start" ticks, "script");
  // false without one.
  bool ReadTutorial(TXmlNode* stateNode);
  // One tick of the countdown: at 0 the dialog opens (and pauses the scene).
  // Until then Resume leaves the scene paused; after the end it does nothing.
  void TickTutorial();
  int GetTutorialCountdown() const { return mTutorialCountdown; }
  // A lesson is still to open: the scene is held paused until it has.
  bool WaitsForLesson() const { return mTutorialCountdown >= 0 && !mFinished; }

  TSpriteRef mSpriteRoot;
  std::vector<TFxSpriteRef>* mParticles;           // owned
  std::vector<GBaseInterpolator*> mInterpolators;  // owned
  std::vector<GZInterpolator*> mAnimations;        // owned
  GVDrawList mDrawList;
  TWindow* mOverlayLayer = nullptr;
  TWindow* mPopupLayer = nullptr;
  OItemsManager* mItemsManager = nullptr;  // owned
  GMasksManager* mMasksManager = nullptr;
  GGamePanel* mPanel = nullptr;
  TRandom mRandom;
  bool mFinished = false;
  int mTutorialCountdown = -1;
  str mTutorialScript;
};
