#pragma once
// Does nothing: content uses it where an action is required but none wanted.

#include "IAction.h"

class ODummyAction : public IAction {
 public:
  ODummyAction() = default;
  void Execute() override {}
};
