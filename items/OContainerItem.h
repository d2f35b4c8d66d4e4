#pragma once
// A scene item that opens and closes (a chest, a cupboard): a click on its
// closed mask fades its opened picture in over ten ticks and the items that
// lie inside appear with it; a click on the opened picture fades it out
// again. It is the items manager of the items lying in or on it: it makes
// them, draws them after itself, and deletes those still lying there when
// it closes. An item it claims is given back through its return zone or by
// the scene, and lies inside again. Both kinds are made only for a scene.
//
// The locked kind opens only while the player holds one of its keys; with
// an empty hand it refuses with a sound and an optional action.

#include <vector>

#include "items/OItem.h"
#include "items/OItemHolder.h"

class IAction;
class OItemMask;

class OContainerItem : public OItem, public OItemHolder {
 public:
  enum { kClosed = 0, kOpened = 1, kOpening = 2, kClosing = 3 };
  // Ticks an opening or a closing takes.
  enum { kFadeTicks = 10 };

  ~OContainerItem() override;

  static OContainerItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OContainerItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OContainerItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  void CreateObject() override;
  void Draw() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  // Forgets its masks and its items' masks without touching them: the
  // scene's masks may go before the container does.
  void ReleaseMask() override;
  void Detach() override;
  void Update() override;
  void SaveState() override;

  void DrawItems() override { Draw(); }

  // Whether the item goes back into this container: one of its own, or the
  // product of a producer that lies in it.
  bool ClaimsItem(IItem* item) const;
  // Takes the item back and deletes it: one of its own is made again inside
  // (the container opens at once), a product returns to its source. False
  // when the container does not claim it.
  bool TakeBackItem(IItem* item);

  int GetState() const { return mState; }
  int GetTickCount() const { return mTickCount; }
  OItemMask* GetClosedMask() const { return mClosedMask; }
  OItemMask* GetOpenedMask() const { return mOpenedMask; }
  OItemMask* GetReturnZoneMask() const { return mReturnZoneMask; }

 protected:
  OContainerItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);

  // Reads what both kinds share into `item`; the locked kind reads its own
  // settings after.
  static void ReadContainer(OContainerItem* item, TXmlNode* node, IItemsManager* owner);
  // The state restored from the registry, or the state a take-back jumps to:
  // held items made again and the visual switched at once.
  void ApplyState(int state);
  IItemsManager* GetHolderOwner() const override { return mOwner; }
  void ShowVisual(const char* state, bool visible);
  // The masks manager looks again under the pointer: the masks this
  // container owns change with its state.
  void RefreshHover();
  // The opening of a click on the closed mask.
  void Open();
  // The name of a producer among the items inside whose product this is.
  bool HoldsProducerOf(IItem* item) const;

  int mHoverMode = 3;
  OItemMask* mClosedMask = nullptr;
  OItemMask* mOpenedMask = nullptr;
  OItemMask* mReturnZoneMask = nullptr;
  IAction* mOpenAction = nullptr;  // owned
  int mState = kClosed;
  int32_t mSceneX = 0, mSceneY = 0;
  std::vector<str> mItemNames;
  std::vector<str> mClosedItemNames;
  TXmlNode* mOpenParticleEffect = nullptr;
  str mCaptions[2];
  int mTickCount = 0;
};

class OLockedContainerItem : public OContainerItem {
 public:
  ~OLockedContainerItem() override;

  static OLockedContainerItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OLockedContainerItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OLockedContainerItem; }
  bool OnMaskClick(IMask* mask) override;
  void SaveState() override;

  bool IsUnlocked() const { return mUnlocked; }
  const std::vector<str>& GetKeyNames() const { return mKeyNames; }

 private:
  OLockedContainerItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);

  IAction* mNoItemAction = nullptr;  // owned
  std::vector<str> mKeyNames;
  // Only ever restored from the registry and written back.
  bool mUnlocked = false;
};
