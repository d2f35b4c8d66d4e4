#pragma once
// Products: takeable items that never lie in a scene and never record their
// place; whatever holds them (the hand, an inventory, a drop zone) records
// and re-makes them by name. A product may refuse to leave a drop zone. A
// combo stands for the items it was made from: returned to the scene, those
// items go back instead. An auto food acts by itself: a number of ticks
// after its visual is made its action runs, and then on every tick until
// the action has removed it; it is never dropped, stored or returned.

#include <vector>

#include "items/OSimpleItem.h"

class OProductItem : public OSimpleItem {
 public:
  // The loaders of the product kinds; the factory sets the place.
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OProductItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OProductItem; }
  void SaveState() override {}
  void ReturnToScene(bool silent) override {}

  // False: it stays in the drop zone it was put into.
  bool AllowsGetFromDropZone() const { return mAllowGetFromDropZone; }

 protected:
  OProductItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath)
      : OSimpleItem(name, owner, visualFolder, visualPath, 0, 0) {}

  bool mAllowGetFromDropZone = true;
};

class OComboItem : public OProductItem {
 public:
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OComboItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OComboItem; }
  void Detach() override {}
  // Each restore item goes back to its scene place, silently, with its own
  // event and action, touching no mask of the scene; the combo itself is
  // left to the caller. A name that is a combo being returned already is
  // reported and skipped.
  void ReturnToScene(bool silent) override;

  const std::vector<str>& GetRestoreItems() const { return mRestoreItems; }

 private:
  OComboItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath)
      : OProductItem(name, owner, visualFolder, visualPath) {}

  std::vector<str> mRestoreItems;
};

class OAutoFoodItem : public OProductItem {
 public:
  // Ticks before the action runs when "wait_to_eat" is empty.
  enum { kDefaultWait = 10 };

  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OAutoFoodItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OAutoFoodItem; }
  // The count starts again with every new visual.
  void CreateObject() override;
  bool CanBeDropped() const override { return false; }
  bool CanBeStored() const override { return false; }
  bool CanBeReturned() const override { return false; }
  void Update() override;

  int GetTickCount() const { return mTickCount; }
  int GetWaitToEat() const { return mWaitToEat; }

 private:
  OAutoFoodItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath,
                int wait)
      : OProductItem(name, owner, visualFolder, visualPath), mWaitToEat(wait) {}

  int mTickCount = 0;
  int mWaitToEat;
};
