#pragma once
// A takeable item that unlocks passages: each passage it opens (the passage
// decides) uses up one of its targets, and a key with none left leaves the
// hand and is never made for a scene again. Otherwise it is a simple item.

#include "items/OSimpleItem.h"

class OKeyItem : public OSimpleItem {
 public:
  // Reads a simple item's settings but the use action and the on-pointer
  // flag, and "num_targets"; the registry's count, when it holds one, wins.
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  // Null when the registry has the key elsewhere or used up.
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OKeyItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OKeyItem; }
  // The place, then the targets left.
  void SaveState() override;

  int32_t GetRemainingTargets() const { return mRemainingTargets; }
  // One target fewer; the count is saved at once. The new count.
  int32_t UseTarget();

 private:
  OKeyItem(const str& name, IItemsManager* owner, const Look& look)
      : OSimpleItem(name, owner, look.folder, look.path, look.x, look.y) {}

  int32_t mRemainingTargets = 0;
};
