#pragma once
// A fixed scene item with an endless supply of one product (a well gives
// water): every click with an empty hand puts a new product into the hand.
// A product given back while the producer is in the scene is deleted again;
// the scene's items manager makes that test. It keeps no state.

#include "items/OItem.h"

class OItemMask;

class OProducerItem : public OItem {
 public:
  ~OProducerItem() override;

  static OProducerItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OProducerItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OProducerItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // A product into an empty hand; false while the hand holds something.
  bool OnMaskClick(IMask* mask) override;
  // Only its own mask is ever linked to it.
  bool OwnsMask(IMask* mask) const override { return true; }
  // Forgets the mask without touching it: the scene's masks may go first.
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override {}

  const str& GetProductName() const { return mProductName; }

 protected:
  OProducerItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath)
      : OItem(name, owner, visualFolder, visualPath) {}

  str mProductName;
  int32_t mSceneX = 0, mSceneY = 0;
  OItemMask* mMask = nullptr;
};
