#pragma once
// Replaces the item in the player's hand by a new item of a named kind
// ("subs_item_id"). The new item is made first: when it cannot be made the
// hand keeps what it held.

#include "IAction.h"
#include "sdk/str.h"

class OSubstituteItemAction : public IAction {
 public:
  OSubstituteItemAction(const str& itemName, GMasksManager* owner) : IAction(owner), mItemName(itemName) {}
  void Execute() override;
  const str& GetItemName() const { return mItemName; }

 private:
  str mItemName;
};
