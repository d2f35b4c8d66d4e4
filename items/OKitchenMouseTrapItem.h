#pragma once
// A fixed place in a scene where the player sets a mouse trap. It goes round
// four states: nothing there (0), the trap set (1), a mouse caught (2), the
// trap empty after the catch was taken (3). Setting it uses up the held trap
// and starts the mouse-trap timer, whose catch variable makes the next build
// of the scene show a mouse; the catch gives a whisker, the empty trap the
// trap itself back. Each state has its visual state (its number) and caption.

#include "items/OItem.h"

class OItemMask;
class TXmlNode;

class OKitchenMouseTrapItem : public OItem {
 public:
  enum { kNone = 0, kSet = 1, kCaught = 2, kEmpty = 3, kStateCount = 4 };

  using OItem::OItem;
  ~OKitchenMouseTrapItem() override;

  // The state comes from the registry, or is a catch when the catch
  // variable says so (which it then resets).
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OKitchenMouseTrapItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OKitchenMouseTrapItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // Always true: a click that does not fit the state is ignored.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override;

  // The state and what follows from it: look, registry, caption.
  void SetTrapState(int32_t state);
  int32_t GetTrapState() const { return mState; }

 private:
  // Puts a new item of that name in the empty hand; false, with nothing
  // changed, when it cannot be made.
  bool GiveItem(const str& item, bool withSound);

  OItemMask* mMask = nullptr;  // not owned
  str mMaskName;
  str mReadyTrapItem;
  str mInitialTrapItem;
  int32_t mState = kNone;
  int32_t mX = 0, mY = 0;
  str mWhiskerItem;
  str mCaptions[kStateCount];
};
