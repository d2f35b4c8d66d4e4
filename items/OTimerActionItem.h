#pragma once
// An invisible scene item that runs a list of actions, each on its own tick
// after the scene's items began updating, counting only while the scene is
// not paused. It is rebuilt with its scene, so every visit runs the list
// again.

#include <vector>

#include "items/OSceneOnlyItem.h"

class IAction;
class TXmlNode;

class OTimerActionItem : public OSceneOnlyItem {
 public:
  struct Entry {
    int32_t tick;
    IAction* action;  // owned
  };

  OTimerActionItem(const str& name, IItemsManager* owner) : OSceneOnlyItem(name, owner, "", "") {}
  ~OTimerActionItem() override;

  // The children of "actions", each with its "action_execute_tick".
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OTimerActionItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OTimerActionItem; }

  // Counts the tick, then runs the entries of that tick in list order. A
  // tick of 0 or less never comes: the count starts at 1.
  void Update() override;

  const std::vector<Entry>& GetEntries() const { return mEntries; }
  int32_t GetCounter() const { return mCounter; }
  int32_t GetEndTick() const { return mEndTick; }

 private:
  std::vector<Entry> mEntries;
  int32_t mCounter = 0;
  // One past the last tick of the list (at least 1): the count stops one
  // beyond it.
  int32_t mEndTick = 1;
};
