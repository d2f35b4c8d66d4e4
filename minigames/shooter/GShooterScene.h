#pragma once
// The shooting range's scene: the sight takes the mouse pointer's place
// while the game runs, clicks fire, and the alcohol haze is drawn over
// everything. It keeps the game in the mini-game registry child "shooter".

#include "minigames/GBoardGameScene.h"
#include "minigames/shooter/GShooterField.h"

class GShooterScene : public GBoardGameScene {
  TWINDOW_CLASS(GShooterScene, GBoardGameScene)
 public:
  GShooterScene();
  // Shows the pointer again and lets the panel go.
  ~GShooterScene() override;

  void Init(TWindowStyle& style) override;
  // Only the wrapper draws the range's objects.
  void Draw() override { GMiniGameScene::Draw(); }
  // The haze, over the scene's windows.
  void PostDraw() override;
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

  // Acts only while the scene plays (not fading).
  void Finish(bool won) override;
  const char* GetRegistryName() const override { return "shooter"; }
  void WriteState(TXmlNode* node) override;
  // The saved game, each goal's and environment's centre, the bullet icons'
  // states, and the sight's centre.
  void DescribeState(TXmlNode* node) override;

  GShooterField& GetField() { return mField; }

 private:
  GShooterField mField;
  TWindow* mPanelLayer = nullptr;  // owned by the window tree
};

GMiniGameScene* NewShooterScene();
