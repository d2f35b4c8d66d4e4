#pragma once
// An executable step built from XML. Owners may execute an action any number
// of times and delete it through this interface.

class GMasksManager;

class IAction {
 public:
  virtual void Execute() = 0;
  virtual ~IAction() = default;
  virtual void SetOwner(GMasksManager* owner) = 0;
};
