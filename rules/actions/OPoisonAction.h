#pragma once
// Poisons the player: the poison timer starts with "time_to_die" seconds and
// the scene's background darkens. The held item is deleted unless
// "delete_item" is exactly "false"; the berry poison always deletes it and
// runs the berry effect instead.

#include "IAction.h"

class OPoisonAction : public IAction {
 public:
  OPoisonAction(int timeToDie, bool deleteItem, GMasksManager* owner)
      : IAction(owner), mTimeToDie(timeToDie), mDeleteItem(deleteItem) {}
  void Execute() override;

  int GetTimeToDie() const { return mTimeToDie; }
  bool GetDeleteItem() const { return mDeleteItem; }

 protected:
  void StartPoisonTimer();

  int mTimeToDie;  // seconds
  bool mDeleteItem;
};

class OBerryPoisonAction : public OPoisonAction {
 public:
  OBerryPoisonAction(int timeToDie, bool deleteItem, GMasksManager* owner)
      : OPoisonAction(timeToDie, deleteItem, owner) {}
  void Execute() override;
};
