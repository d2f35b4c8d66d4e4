#pragma once
// Deletes the item in the player's hand; nothing with an empty hand.

#include "IAction.h"

class ODeleteItemAction : public IAction {
 public:
  explicit ODeleteItemAction(GMasksManager* owner) : IAction(owner) {}
  void Execute() override;
};
