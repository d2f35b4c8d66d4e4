#pragma once
// Takeable items that mirror where they are into a game variable, so that
// missions, scene states and actions can test it. A flag item says "true"
// whenever a scene holding it starts and "false" when that scene is dropped
// with it still lying there; a scene-flag item says "true" exactly while it
// lies in its scene.

#include "items/OSimpleItem.h"

class OFlagItem : public OSimpleItem {
 public:
  using OSimpleItem::OSimpleItem;
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OFlagItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OFlagItem; }

  void OnSceneStart() override;
  void ReleaseMask() override;
  // The scene goes but its items stay: the variable is left as it is.
  void ReleaseSceneLinks() override { OSimpleItem::ReleaseMask(); }

  const str& GetFlagName() const { return mFlagName; }

 private:
  str mFlagName;
};

class OSceneFlagItem : public OSimpleItem {
 public:
  using OSimpleItem::OSimpleItem;
  static OSimpleItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OSceneFlagItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OSceneFlagItem; }

  void SetPlace(int32_t place) override;

  const str& GetFlagName() const { return mFlagName; }

 private:
  str mFlagName;
};
