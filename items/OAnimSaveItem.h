#pragma once
// A scene animation that plays only on the first visit: its visual shows
// the state "0" the first time its scene is built and "1" on every later
// build. Any registry entry for its name counts as a visit.

#include "items/OSceneOnlyItem.h"

class TXmlNode;

class OAnimSaveItem : public OSceneOnlyItem {
 public:
  using OSceneOnlyItem::OSceneOnlyItem;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OAnimSaveItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OAnimSaveItem; }

  // The visual at its position in its state; the registry entry is written
  // at once, so the first build already marks the visit.
  void CreateObject() override;
  void SaveState() override;
  // 0 and 1 switch the visual to "0" and "1"; other values are only kept.
  virtual void SetAnimState(int32_t state);

  int32_t GetAnimState() const { return mAnimState; }

 private:
  int32_t mAnimState = 0;
  int32_t mX = 0, mY = 0;
};
