#pragma once
// Two small scene kinds bound to one item mask. The caption item is a named
// spot that only shows its caption while the pointer is over it. The chalk
// mark is a spot where the player draws a mark with a given chalk item: the
// pointer's position is kept in the items registry, and from then on the
// mark is drawn there whenever the scene is built.

#include "items/OItem.h"

class IAction;
class OItemMask;
class TXmlNode;

class OCaptionItem : public OItem {
 public:
  // Looks its mask up at once: the scene's masks exist before its items.
  OCaptionItem(const str& name, IItemsManager* owner, const str& maskName);
  ~OCaptionItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OCaptionItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OCaptionItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  void OnMaskEnter(IMask* mask) override { ShowCaption(); }
  void OnMaskLeave(IMask* mask) override { HideCaption(); }
  bool OnMaskClick(IMask* mask) override { return false; }
  bool OwnsMask(IMask* mask) const override { return true; }
  // The mask goes with the scene: it is forgotten, never reached again.
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  void SaveState() override {}

  OItemMask* GetMask() const { return mMask; }

 private:
  OItemMask* mMask = nullptr;  // not owned
};

class OChalkMarkItem : public OItem {
 public:
  using OItem::OItem;
  ~OChalkMarkItem() override;

  static IItem* CreateForScene(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OChalkMarkItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OChalkMarkItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // Shown only when marked, at the mark.
  void CreateObject() override;
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  // With the chalk in hand the mark is drawn, once. Always true.
  bool OnMaskClick(IMask* mask) override;
  bool OwnsMask(IMask* mask) const override { return true; }
  void ReleaseMask() override { mMask = nullptr; }
  void Detach() override;
  // The mark is written when drawn, not when the scene saves.
  void SaveState() override {}

  bool IsMarked() const { return mMarked; }
  int32_t GetMarkX() const { return mMarkX; }
  int32_t GetMarkY() const { return mMarkY; }

 private:
  str mMaskName;
  OItemMask* mMask = nullptr;         // not owned
  IAction* mMarkPutAction = nullptr;  // owned
  bool mMarked = false;
  int32_t mMarkX = 0, mMarkY = 0;
  str mChalkItem;
};
