#pragma once
// A set of ambient sounds of a scene, each played by its own sound
// controller: looping, or played and then waiting a random number of ticks
// before playing again. It has no visual and keeps no state.

#include <vector>

#include "items/OSceneOnlyItem.h"

class OSoundController;
class TXmlNode;

class OMusicItem : public OSceneOnlyItem {
 public:
  OMusicItem(const str& name, IItemsManager* owner) : OSceneOnlyItem(name, owner, "", "") {}
  ~OMusicItem() override;

  // One controller per child of "sounds", in order.
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OMusicItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OMusicItem; }

  // The waiting controllers count a tick; those whose wait is over play.
  void Update() override;

  const std::vector<OSoundController*>& GetControllers() const { return mControllers; }

 private:
  std::vector<OSoundController*> mControllers;  // owned
};
