#pragma once
// An executable step built from XML by the action factory. Whoever asked the
// factory owns the action, may run it any number of times and deletes it
// through this interface. The owner is the masks manager of the scene the
// action works in; through it the action reaches its scene and that scene's
// items manager. Actions made outside a scene have none.

class GMasksManager;

class IAction {
 public:
  explicit IAction(GMasksManager* owner = nullptr) : mOwner(owner) {}
  virtual void Execute() = 0;
  virtual ~IAction() = default;
  virtual void SetOwner(GMasksManager* owner) { mOwner = owner; }

  GMasksManager* GetOwner() const { return mOwner; }

 protected:
  GMasksManager* mOwner;
};
