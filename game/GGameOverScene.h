#pragma once
// The end of the game: a scene with the game-over panel that always counts
// as paused, so neither a quick save nor the local menu can be had here, and
// the pointer stays the plain one.

#include "game/GFullScreenGameScene.h"

class GGameOverScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GGameOverScene, GFullScreenGameScene)
 public:
  enum { kPanelKind = 4 };
  GGameOverScene();
  ~GGameOverScene() override;

  void Update() override;
  bool UsesPanel() override { return true; }
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  void Pause() override;
  void Resume() override;
  bool IsPaused() override { return true; }
  bool IsMagicEnabled() override { return false; }

  GGamePanel* GetAttachedPanel() const { return mPanel; }

 protected:
  bool DrawsIndicators() const override { return false; }

 private:
  GGamePanel* mPanel = nullptr;  // not owned
};
