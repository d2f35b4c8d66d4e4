#pragma once
// The items manager side of an item that holds items of its own (a
// container, a passage, a cook desk): the held items are its own list, which
// it owns; every other service is that of the items manager owning the
// holder, so a held item reaches the same scene as any other.

#include <vector>

#include "items/IItemsManager.h"

class OItemHolder : public IItemsManager {
 public:
  ~OItemHolder() override;

  // Makes the item's visual and appends it.
  void AddItem(IItem* item) override;
  // Takes the item out (after IItem::Detach) without deleting it.
  void RemoveItem(IItem* item) override;
  IItem* FindItem(const str& name) const override;
  GMasksManager* GetMasksManager() override;
  GFullScreenGameScene* GetScene() override;
  void ShowFrontItem(IItem* item) override;
  void OnThroughSpaceMagic() override;
  void OnThroughTimeMagic() override;
  void ShowHealthEffect() override;
  void ClearFrontItem() override;
  TSpriteRef AddParticleEffect(TXmlNode* node, float x, float y, bool onTop) override;
  bool IsItemAvailable(const str& name) override;
  void DeactivateParticles() override;

  const std::vector<IItem*>& GetHeldItems() const { return mHeldItems; }

 protected:
  // The items manager that owns the holder item, or null.
  virtual IItemsManager* GetHolderOwner() const = 0;

  // Each name made for the scene with this holder as owner and added; a
  // name the factory makes nothing of (the item is elsewhere) is skipped.
  void CreateHeldItems(const std::vector<str>& names);
  // Deletes the held items that still lie here and empties the list; those
  // taken out are no longer in it.
  void DropHeldItems();
  void DrawHeldItems();
  // The held items forget their masks, which go with the scene.
  void ReleaseHeldMasks();
  void UpdateHeldItems();

  std::vector<IItem*> mHeldItems;  // owned
};
