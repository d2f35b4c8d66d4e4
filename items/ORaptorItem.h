#pragma once
// A guarded creature in a scene. While the player is seen, the first click
// of a visit makes it look and every later one makes it bite, the bite
// action following when the bite animation ends. An invisible player may
// hand it one of its key items: the key goes back to its own scene and the
// player is given the result item. Its animation state is saved.

#include <vector>

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class ORaptorItem : public OItem {
 public:
  // Raptor states; "bitten" returns to normal at once.
  enum { kNormal = 0, kLook = 1, kBite = 2, kBitten = 3 };

  using OItem::OItem;
  ~ORaptorItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "ORaptorItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::ORaptorItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  // The end of a look or a bite.
  void OnStateEnd(GVObject* object, TState state) override;
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override;

  int32_t GetRaptorState() const { return mRaptorState; }

 private:
  void ShowState(int32_t state);
  bool IsKey(const str& name) const;
  // Takes the key from the hand and gives the result item.
  void TakeKey(const str& key);

  int32_t mX = 0, mY = 0;
  str mMaskName;
  OItemMask* mMask = nullptr;  // not owned
  int32_t mClickCount = 0;
  std::vector<str> mKeys;
  int32_t mRaptorState = kNormal;
  // Each owned, null when the entry has no such element.
  IAction* mBiteAction = nullptr;
  IAction* mFirstClickAction = nullptr;
  IAction* mInvalidKeyAction = nullptr;
  IAction* mSuccessfulCutAction = nullptr;
  str mResultItem;
};
