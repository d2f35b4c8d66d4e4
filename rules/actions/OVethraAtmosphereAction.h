#pragma once
// The player breathes again on the Vethra: its air timer stops and its
// indicator empties.

#include "IAction.h"

class OVethraAtmosphereAction : public IAction {
 public:
  explicit OVethraAtmosphereAction(GMasksManager* owner) : IAction(owner) {}
  void Execute() override;
};
