#pragma once
// Leaves the game for the main menu: all sounds stop and the game's modal
// windows are popped.

#include "IAction.h"

class OExitToMainMenuAction : public IAction {
 public:
  explicit OExitToMainMenuAction(GMasksManager* owner) : IAction(owner) {}
  void Execute() override;
};
