#pragma once
// A scene item that steps through numbered states, one per click on the
// current state's mask, and stops at the last: each state has its own
// position, mask and caption, and the visual's children show the state's
// number. Actions may be tied to the names of the visual states the "main"
// child enters. The state reached is kept in the items registry.
//
// The jungle snake is a scene-jump item whose state 1 is a strike: the first
// click of a visit strikes, and when the strike's run ends it is back in
// state 0 and its bite action runs. It keeps nothing.

#include <utility>
#include <vector>

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class OSceneJumpItem : public OItem {
 public:
  ~OSceneJumpItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OSceneJumpItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OSceneJumpItem; }

  // Runs the actions tied to the state the "main" child is about to enter.
  void OnStateChange(GVObject* object, TState current, TState& requested) override;
  void OnStateEnd(GVObject* object, TState state) override {}
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override;
  void OnMaskLeave(IMask* mask) override;
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override;
  // The masks go with the scene: they are forgotten, never reached again.
  void ReleaseMask() override;
  void Detach() override;
  // The state when above 0; state 0 writes nothing.
  void SaveState() override;

  // Shows the state: the children's visual states, the position, and the
  // registry record.
  void SetCurrent(int32_t state);

  int32_t GetCurrent() const { return mCurrent; }
  int32_t GetStateCount() const { return int32_t(mPositions.size()); }

 protected:
  struct StateAction {
    str visualState;
    IAction* action;  // owned
  };

  OSceneJumpItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);
  // The states and the current one, which both kinds share.
  void ReadStates(TXmlNode* node);
  // One step forward on a click on the current state's mask.
  bool Step(IMask* mask);

  std::vector<std::pair<int32_t, int32_t>> mPositions;
  std::vector<OItemMask*> mMasks;  // not owned; null for a state without one
  int32_t mCurrent = 0;
  std::vector<str> mCaptions;
  std::vector<StateAction> mStateActions;
};

class OJungleSnakaItem : public OSceneJumpItem {
 public:
  ~OJungleSnakaItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OJungleSnakaItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OJungleSnakaItem; }

  // The end of the strike: back to state 0, then the bite.
  void OnStateEnd(GVObject* object, TState state) override;
  // Only the first click of a visit strikes; later ones are taken and do
  // nothing.
  bool OnMaskClick(IMask* mask) override;
  void SaveState() override {}

 private:
  using OSceneJumpItem::OSceneJumpItem;
  IAction* mBiteAction = nullptr;  // owned
  bool mClicked = false;
};
