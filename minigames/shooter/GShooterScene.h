#pragma once
// The shooting range's scene: the sight takes the mouse pointer's place
// while the game runs, clicks fire, and the alcohol haze is drawn over
// everything. It keeps the game in the mini-game registry child "shooter".

#include "game/GMiniGameScene.h"
#include "minigames/shooter/GShooterField.h"

class GVObjectWrapper;

class GShooterScene : public GMiniGameScene {
  TWINDOW_CLASS(GShooterScene, GMiniGameScene)
 public:
  GShooterScene();
  // Shows the pointer again and lets the panel go.
  ~GShooterScene() override;

  void Init(TWindowStyle& style) override;
  // The haze, over the scene's windows.
  void PostDraw() override;
  bool OnTaskAnimate() override;
  // Fires where the sight is while the scene plays; the press's own point
  // is not used.
  bool OnMouseDown(const TPoint& point) override;
  bool OnMouseMove(const TPoint& point) override;
  void Update() override;
  bool UsesPanel() override { return true; }

  // The panel lives in its own layer, over the game's objects.
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  // The pointer shows while the game waits (menus, dialogs, the end).
  void Pause() override;
  void Resume() override;

  void SetConfigNode(TXmlNode* node) override { mConfig = node; }
  void AdoptOverlayChild(TWindow* child) override;
  // Acts only while the scene plays (not fading).
  void Finish(bool won) override;
  const char* GetRegistryName() const override { return "shooter"; }
  void WriteState(TXmlNode* node) override;
  // The saved game, each goal's and environment's centre, the bullet icons'
  // states, and the sight's centre.
  void DescribeState(TXmlNode* node) override;

  GShooterField& GetField() { return mField; }

 private:
  struct Outcome {
    str scene, flagName, flagValue;
  };
  void ReadExits();

  GShooterField mField;
  TWindow* mLayer = nullptr;            // owned by the window tree
  GVObjectWrapper* mWrapper = nullptr;  // owned by the window tree
  TWindow* mPanelLayer = nullptr;       // owned by the window tree
  TXmlNode* mConfig = nullptr;          // not owned
  str mExitItem;
  Outcome mWin, mLose;
};

GMiniGameScene* NewShooterScene();
