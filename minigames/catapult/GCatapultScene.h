#pragma once
// The catapult mini-game: ships sail in from the far edge of the sea and the
// player sinks them with stones before one reaches the shore. The scene
// steers the aim from the arrow keys and the panel's four buttons, ticks
// the rules every 16 ms and ends the game with its win or lose variable and
// scene. The game panel stays out of sight: the catapult's own panel, made
// by "scripts/catapult.lua", takes its place.

#include "game/GMiniGameScene.h"
#include "minigames/catapult/GCatapultField.h"

class GCatapultPanel;
class GVObjectWrapper;
class TButton;

class GCatapultScene : public GMiniGameScene, public GVListener {
  TWINDOW_CLASS(GCatapultScene, GMiniGameScene)
 public:
  GCatapultScene();
  ~GCatapultScene() override;

  void Init(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMouseDown(const TPoint& local) override { return true; }
  void PostDraw() override {}
  void Update() override;
  // The catapult leaves the game panel unlocked: it is not shown.
  void Pause() override;
  void Resume() override;
  // Keeps the panel for the end without showing it.
  void AttachPanel(GGamePanel* panel) override;
  void OnGameKeyDown(char key, unsigned flags) override;
  void OnGameKeyUp(char key) override;
  const char* GetRegistryName() const override { return "catapult"; }
  void WriteState(TXmlNode* node) override;
  // What is saved, with the look of the catapult ("catapult": its state),
  // of each ship ("visual": the ship's kind) and of the splash.
  void DescribeState(TXmlNode* node) override;
  void SetConfigNode(TXmlNode* node) override { mConfig = node; }
  void AdoptOverlayChild(TWindow* child) override;
  void Finish(bool won) override;
  void OnDoneClick() override {}
  void OnClearClick() override {}

  GCatapultField& GetField() { return mField; }
  GCatapultPanel* GetAimingPanel() const { return mAimingPanel; }
  TWindow* GetLuaPanel() const { return mLuaPanel; }

 private:
  TXmlNode* mConfig = nullptr;  // the scene state node; not owned
  TWindow* mOverlay = nullptr;
  GVObjectWrapper* mWrapper = nullptr;
  TWindow* mLuaPanel = nullptr;
  str mWinScene, mLostScene;
  str mWinFlag, mWinValue, mLoseFlag, mLoseValue;
  TButton* mUp = nullptr;
  TButton* mDown = nullptr;
  TButton* mLeft = nullptr;
  TButton* mRight = nullptr;
  GCatapultPanel* mAimingPanel = nullptr;
  bool mButtonMoved = false;
  GCatapultField mField;
};

GMiniGameScene* NewCatapultScene();
