#pragma once
// An invisible scene item bound to one mask that reacts to the item the
// player holds when clicking it: each reaction names its trigger items, the
// action to run, whether the held item is used up and the pointer's look
// while such an item hovers; a default reaction covers every other hand,
// the empty one included.

#include <vector>

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class ODifferentReactionItem : public OItem {
 public:
  ODifferentReactionItem(const str& name, IItemsManager* owner);
  ~ODifferentReactionItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);
  // The pointer's scene mode for an "animation_type": "passage" 1, "eye" 2,
  // "get" 3, "dialog" 5, anything else 0.
  static int ParseAnimationType(const str& text);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "ODifferentReactionItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::ODifferentReactionItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // Binds the mask; there is no visual.
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  // Runs the reaction to the held item. Always true.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override {}

  // The first reaction, in document order, that names the item; -1 for
  // none. The empty name stands for the empty hand.
  int FindReaction(const str& heldName) const;
  int GetAnimationType(const str& heldName) const;

 private:
  std::vector<std::vector<str>> mReactionItems;
  std::vector<int> mAnimationTypes;
  std::vector<bool> mKeepFlags;
  int mDefaultAnimationType = 0;
  std::vector<IAction*> mReactionActions;  // owned; null for an unknown action
  IAction* mDefaultAction = nullptr;       // owned
  str mMaskName;
  OItemMask* mMask = nullptr;  // not owned
};
