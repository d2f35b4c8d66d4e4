#pragma once
// An inventory scene under water: the same scene with the under-water panel.

#include "game/GInventoryGameScene.h"

class GUnderwaterGameScene : public GInventoryGameScene {
  TWINDOW_CLASS(GUnderwaterGameScene, GInventoryGameScene)
 public:
  enum { kPanelKind = 5 };
  GUnderwaterGameScene() = default;

  void AttachPanel(GGamePanel* panel) override;
};
