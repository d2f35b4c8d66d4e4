#pragma once
// An inventory scene in a sleeping zone: while the player is here only the
// sleeping-hints timer lets time pass, and the timer indicators are hidden.

#include "game/GInventoryGameScene.h"

class GSleepingGameScene : public GInventoryGameScene {
  TWINDOW_CLASS(GSleepingGameScene, GInventoryGameScene)
 public:
  GSleepingGameScene() = default;

 protected:
  void UpdateTimers() override;
  bool DrawsIndicators() const override { return false; }
};
