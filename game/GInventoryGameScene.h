#pragma once
// The default game scene: a hidden-object scene with the game panel under
// it. The panel is locked whenever the scene is paused or shows a note, its
// passage buttons run the scene's borders, and the wheel scrolls the
// inventory. Built full screen for the state type "full_screen".

#include "game/GFullScreenGameScene.h"

class GInventoryGameScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GInventoryGameScene, GFullScreenGameScene)
 public:
  GInventoryGameScene() = default;
  explicit GInventoryGameScene(bool fullScreen) : mFullScreen(fullScreen) {}
  ~GInventoryGameScene() override;

  bool OnMouseDown(const TPoint& point) override;
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;

  void Update() override;
  bool UsesPanel() override { return true; }
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  void SetBorders(std::vector<IAction*>* borders) override;
  void Pause() override;
  void Resume() override;
  void OnStart() override;
  void SetInteractionMode(int mode) override;
  bool IsItemAvailable(const str& name) override;
  GGamePanel* GetPanel() override { return mPanel; }
  void SetMagicControlEnabled(bool enabled) override { mMagicControlEnabled = enabled; }

  void OnPassageButtonClick(int direction) override;
  bool IsMagicEnabled() override { return mMagicControlEnabled; }

  bool IsFullScreen() const { return mFullScreen; }

 protected:
  bool mFullScreen = false;
  GGamePanel* mPanel = nullptr;  // not owned
  bool mMagicControlEnabled = true;
};
