#pragma once
// A clickable spot of a scene with a visual and a separate hit animation.
// Clicked with an empty hand it runs its action and plays the hit
// animation; clicked with an item it applies the combination rule for that
// item and the spot's mask. It keeps no state.

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class OSparkItem : public OItem {
 public:
  using OItem::OItem;
  ~OSparkItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OSparkItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OSparkItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // The visual at its position, the mask linked, and the hit object in
  // front of the visual in its state "0".
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // An empty-hand click is not reported as taken, so the scene goes on
  // with it; a click with an item always is.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override { return true; }
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override {}

  GVObject* GetHitObject() const { return mHitObject; }
  OItemMask* GetMask() const { return mMask; }

 private:
  int32_t mX = 0, mY = 0;
  str mMaskName;
  OItemMask* mMask = nullptr;      // not owned
  IAction* mAction = nullptr;      // owned
  GVObject* mHitObject = nullptr;  // owned
  str mHitPath;
  int32_t mHitX = 0, mHitY = 0;
};
