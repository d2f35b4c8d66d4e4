#pragma once
// Puts a named item ("item_id") back into its scene quietly: its place in the
// items registry becomes the scene, so it is there whenever that scene is
// built again. Run in that scene, the item comes back in sight, as itself.
// Wherever else the player left it goes: the hand, an inventory cell, a drop
// zone (its record too). An item the factory cannot make is left alone.

#include "IAction.h"
#include "sdk/str.h"

class ORestoreItemAction : public IAction {
 public:
  ORestoreItemAction(const str& itemName, GMasksManager* owner) : IAction(owner), mItemName(itemName) {}
  void Execute() override;
  const str& GetItemName() const { return mItemName; }

 private:
  str mItemName;
};
