#pragma once
// The common base of every item: its name, caption key and visual (built
// through the visual-object factory and drawn through the item's own draw
// list), and the operations through which scenes, masks, the pointer,
// inventories, drop zones and items managers drive any item without knowing
// its kind. The item listens to its visual's "main" object.

#include <cstdint>

#include "items/ItemTypeIds.h"
#include "sdk/TMath.h"
#include "sdk/str.h"
#include "visual/GVDrawList.h"
#include "visual/GVObject.h"

class IMask;

// Where an item that moves between the scene, the pointer and the
// inventories is. The numbers are written to the items registry and so are
// part of the save format; the names are the visual states of those places.
namespace ItemPlace {
enum : int32_t {
  stScene = 0,
  stPointer = 1,
  stInventory = 2,
  stAlchemicalInventory = 3,
  stDropped = 4,
};
// "stScene" ... "stDropped"; "" for a code that names no place.
const char* GetName(int32_t place);
}  // namespace ItemPlace

class IItem : public GVListener {
 public:
  // Sends the game event "item_create" with the name: every construction
  // does, re-creations on a rebuild or a load included.
  IItem(const str& name, const str& visualFolder, const str& visualPath);

  void OnStateChange(GVObject* object, TState current, TState& requested) override = 0;
  void OnStateEnd(GVObject* object, TState state) override = 0;
  virtual bool IsKindOf(int32_t typeId) const;
  virtual const char* GetTypeName() const { return "IItem"; }
  virtual int32_t GetTypeId() const { return ItemTypeId::IItem; }
  ~IItem() override;
  virtual void CreateObject();
  virtual void Draw();
  virtual bool IsInScene() const = 0;
  virtual bool IsInInventory() const = 0;
  virtual bool IsOnPointer() const = 0;
  virtual void MoveToScene() {}
  virtual void MoveToPointer() {}
  virtual void MoveToInventory() {}
  virtual void MoveToAlchemicalInventory() {}
  virtual void MoveToDropped() {}
  virtual void OnMaskEnter(IMask* mask) {}
  virtual void OnMaskLeave(IMask* mask) {}
  // True when the click was handled.
  virtual bool OnMaskClick(IMask* mask) = 0;
  virtual bool Use(const TPoint& point) { return false; }
  virtual bool CanBeDropped() const { return true; }
  virtual bool CanBeStored() const { return true; }
  virtual bool CanBeReturned() const { return true; }
  // Whether the mask is the item's own in its current state.
  virtual bool OwnsMask(IMask* mask) const { return false; }
  virtual str GetName() const { return mName; }
  // Forgets the scene mask without touching it: the masks go with the scene.
  virtual void ReleaseMask() = 0;
  // Forgets everything of the scene while the item itself outlives it.
  virtual void ReleaseSceneLinks() { ReleaseMask(); }
  // Unlinks the item from its mask (and whatever it links into) just before
  // it is deleted or leaves its items manager.
  virtual void Detach() = 0;
  // Once per tick while the scene runs.
  virtual void Update() {}
  // The name for combination rules and "item_get"; kinds whose identity
  // follows their state override it.
  virtual str GetCurrentName() const { return mName; }
  virtual void OnSceneStart() {}
  // Writes the item's state into the items registry.
  virtual void SaveState() = 0;
  virtual void PlayTakeSound() {}
  virtual void PlayPutSound() {}
  virtual void RestartEffects() {}

  // The child "main" of the visual, whose state events reach the item; null
  // without a visual.
  GVObject* GetMainObject() const;
  GVObject* GetObject() const { return mObject; }
  // The current frame of the main object less twice its offsets, in pixels;
  // 0 without a visual or a frame.
  float GetObjectWidth() const;
  float GetObjectHeight() const;
  // Where the item's particle effects start: the visual's position plus
  // half the size.
  TPoint GetCenter() const;

  const str& GetCaptionKey() const { return mCaptionKey; }
  void SetCaptionKey(const str& key) { mCaptionKey = key; }
  const str& GetVisualFolder() const { return mVisualFolder; }
  const str& GetVisualPath() const { return mVisualPath; }
  GVDrawList& GetDrawList() { return mDrawList; }

 protected:
  // A visual made by the visual-object factory from `path`, with pictures
  // under `imageFolder` and descriptions under "xml/", registered in `list`;
  // null for an empty path or one the factory makes nothing of. The caller
  // owns it.
  GVObject* CreateVisual(const str& imageFolder, const str& path, GVDrawList* list) const;
  // Replaces the visual by one of `path` from the item's visual folder: its
  // "main" child reports to the item, and it is shown.
  void CreateObjectFrom(const str& path);

  GVDrawList mDrawList;
  str mVisualFolder;
  str mVisualPath;
  GVObject* mObject = nullptr;  // owned
  str mName;
  str mCaptionKey;
};

// Exact-class tests by type number, as the cooking game and the player tools
// tell the items they handle; false for null.
bool IsMatchesBoxItem(const IItem* item);
bool IsCookDishItem(const IItem* item);
bool IsCookDustItem(const IItem* item);
