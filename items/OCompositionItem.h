#pragma once
// A scene item assembled from parts: the player puts each part in by using
// the matching item on the composition's mask. Each part has a visual of its
// own that appears when the part arrives; actions run as parts arrive, when
// a given number is still missing, when the last one arrives, and when the
// item used is no part at all. Which parts are present is kept in the items
// registry, one value a part.

#include <map>
#include <vector>

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class OCompositionItem : public OItem {
 public:
  ~OCompositionItem() override;

  // Reads the items_guide entry; the item's mask is linked at once.
  static OCompositionItem* CreateFromXml(const str& name, TXmlNode* node, IItemsManager* owner);
  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCompositionItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCompositionItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // The visual at its position, then the parts the registry held when the
  // item was made.
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override { mOwnMask = nullptr; }
  void Detach() override;
  void SaveState() override;

  // Puts the held item in as the first part whose "id" is its name. False
  // with an empty hand, for an item that is no part (the wrong-item action
  // runs) and when the part is refused.
  virtual bool InsertHeldItem();
  // Makes part i's visual; a part without "gvobject" has none and so never
  // counts as present. Always true.
  virtual bool CreatePartObject(size_t index);
  // Whether part i may come in; the default makes its visual.
  virtual bool AcceptPart(size_t index);

  size_t GetPartCount() const { return mPartNodes.size(); }
  bool IsPartPresent(size_t index) const { return GetPartObject(index) != nullptr; }
  GVObject* GetPartObject(size_t index) const {
    return index < mPartObjects.size() ? mPartObjects[index] : nullptr;
  }
  size_t CountMissingParts() const;
  OItemMask* GetOwnMask() const { return mOwnMask; }

 protected:
  OCompositionItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);
  // Reads the composition's part of the entry into an item made with the
  // entry's visual; "left_items_actions" only when asked.
  void ReadEntry(TXmlNode* node, bool readLeftItemsActions);

  // After part i came in: the action for the parts still missing, the
  // registry, the held item deleted, part i's own actions, and the
  // completion actions when nothing is missing.
  void FinishInsert(size_t index);
  // Builds each child of `node` into an action, runs it and deletes it.
  void RunActions(TXmlNode* node);

  OItemMask* mOwnMask = nullptr;
  int32_t mX = 0, mY = 0;
  std::vector<GVObject*> mPartObjects;  // owned; null while the part is missing
  std::vector<TXmlNode*> mPartNodes;    // the configuration's
  TXmlNode* mCompletedActions = nullptr;
  // The registry's values when the item was made: the parts to show again.
  std::vector<int32_t> mSavedStates;
  bool mHasSavedStates = false;
  IAction* mWrongItemAction = nullptr;            // owned
  std::map<int32_t, IAction*> mLeftItemsActions;  // owned
};
