#pragma once
// The base of every item kind: an item with an owner, the items manager of
// a scene or the container item that holds it. The owner is not owned; it
// is still named while the item is on the pointer.

#include <vector>

#include "items/IItem.h"

class IItemsManager;
class TXmlNode;

class OItem : public IItem {
 public:
  OItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);
  ~OItem() override;

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OItem; }

  virtual void SetItemsManager(IItemsManager* owner) { mOwner = owner; }
  // Shows the caption key in the scene caption through the owner's masks
  // manager; nothing without an owner.
  virtual void ShowCaption();
  virtual void HideCaption();
  virtual IItemsManager* GetItemsManager() const { return mOwner; }
  // Sends a released item back to its scene place; `silent` plays no sound.
  virtual void ReturnToScene(bool silent) {}

  // The pointer scene mode an "animation_type" text asks for: "passage" 1,
  // "eye" 2, "get" 3, "dialog" 5, any other text 0.
  static int SceneModeOf(const str& animationType);

 protected:
  // The entry's "gvobject": its content is the visual folder, its "name" the
  // visual path; both stay empty without one.
  static void ReadVisualOf(TXmlNode* node, str* folder, str* path);
  // The integers "x" and "y" of the entry's child `child`; false, with both
  // untouched, when there is no such child.
  static bool ReadPosition(TXmlNode* node, const char* child, int32_t* x, int32_t* y);
  // The "name" of each child of `list`, in document order; none without it.
  static std::vector<str> ReadNames(TXmlNode* list);
  // The visual, when there is one, moves to (x, y): its deltaX and deltaY.
  void PlaceObject(int32_t x, int32_t y);

  IItemsManager* mOwner;
};
