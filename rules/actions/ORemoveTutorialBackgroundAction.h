#pragma once
// Releases the texture the tutorial backgrounds share.

#include "IAction.h"

class ORemoveTutorialBackgroundAction : public IAction {
 public:
  explicit ORemoveTutorialBackgroundAction(GMasksManager* owner) : IAction(owner) {}
  void Execute() override;
};
