#pragma once
// Shakes the mouse pointer.

#include "IAction.h"

class OElectricalShakeAction : public IAction {
 public:
  explicit OElectricalShakeAction(GMasksManager* owner) : IAction(owner) {}
  void Execute() override;
};
