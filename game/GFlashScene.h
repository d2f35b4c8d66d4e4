#pragma once
// A scene that plays a Flash clip and, once the clip has reached its last
// frame, runs its result action (usually a passage onwards). The clip starts
// when the fade-in ends and stops when a scene change begins.

#include "game/GFullScreenGameScene.h"

class TFlashHost;

class GFlashScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GFlashScene, GFullScreenGameScene)
 public:
  GFlashScene() = default;
  ~GFlashScene() override;

  void SetState(int state) override;
  void Update() override;
  bool UsesPanel() override { return false; }
  void DetachPanel() override {}
  bool IsMagicEnabled() override { return false; }
  void DrawObjects(TWindow* wrapper) override;

  // Both are taken over.
  void SetFlashHost(TFlashHost* host);
  void SetResultAction(IAction* action);
  TFlashHost* GetFlashHost() const { return mHost; }
  IAction* GetResultAction() const { return mResultAction; }

 private:
  TFlashHost* mHost = nullptr;       // owned
  IAction* mResultAction = nullptr;  // owned
  // The action runs once per play of the clip: one that sets a variable or
  // queues a hint must not repeat on every tick after the last frame.
  bool mResultDone = false;
};
