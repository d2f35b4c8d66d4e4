#pragma once
// A scene item through which the player leaves the scene: a door, a gate, a
// path. A locked passage opens when clicked with its unlock item in hand (or
// an empty hand, when so configured), plays its opening, and stays unlocked
// for good. Clicking an unlocked passage runs its action once the items it
// requires are available; each missing one gives its hint instead. An
// unlocked passage may show items of its own (what lies behind the door): it
// is their items manager. Made only for a scene.

#include <utility>
#include <vector>

#include "items/OItem.h"
#include "items/OItemHolder.h"

class IAction;
class OItemMask;

class OPassageItem : public OItem, public OItemHolder {
 public:
  enum { kLocked = 0, kOpening = 1, kUnlocked = 2 };

  ~OPassageItem() override;

  static OPassageItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OPassageItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OPassageItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  // The end of the opening: the passage is unlocked.
  void OnStateEnd(GVObject* object, TState state) override;
  void CreateObject() override;
  void Draw() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override;
  void Detach() override;
  void Update() override;
  // Writes 2 once the passage is no longer locked; a locked one writes
  // nothing.
  void SaveState() override;

  // Runs the action when every required item is available; else queues the
  // hint of each missing one.
  void TryEnter();

  void DrawItems() override { Draw(); }

  int GetState() const { return mState; }
  const str& GetUnlockItem() const { return mUnlockItem; }

 private:
  OPassageItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);

  IItemsManager* GetHolderOwner() const override { return mOwner; }
  void ApplyState(int state);
  void ShowVisual(const char* state);

  bool mHasPosition = false;
  int32_t mSceneX = 0, mSceneY = 0;
  OItemMask* mMask = nullptr;
  int mState = kLocked;
  str mUnlockItem;
  IAction* mAction = nullptr;        // owned
  IAction* mNoKeyAction = nullptr;   // owned
  IAction* mNoItemAction = nullptr;  // owned
  IAction* mUnlockAction = nullptr;  // owned
  std::vector<str> mItemNames;
  str mCaptions[3];
  int mHoverMode = 1;
  bool mEnterOnUnlock = false;
  bool mAllowEnterWithItem = true;
  str mPassageActionItem;
  // Item name and the key of the hint given while it is missing ("" gives
  // none, and then the item never blocks the way).
  std::vector<std::pair<str, str>> mRequiredItems;
};
