#pragma once
// The base of every item kind: an item with an owner, the items manager of
// a scene or the container item that holds it. The owner is not owned; it
// is still named while the item is on the pointer.

#include "items/IItem.h"

class IItemsManager;

class OItem : public IItem {
 public:
  OItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);
  ~OItem() override;

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OItem; }

  virtual void SetItemsManager(IItemsManager* owner) { mOwner = owner; }
  // Shows the caption key in the scene caption through the owner's masks
  // manager; nothing without an owner.
  virtual void ShowCaption();
  virtual void HideCaption();
  virtual IItemsManager* GetItemsManager() const { return mOwner; }
  // Sends a released item back to its scene place; `silent` plays no sound.
  virtual void ReturnToScene(bool silent) {}

 protected:
  IItemsManager* mOwner;
};
