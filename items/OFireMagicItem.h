#pragma once
// The fire the fire magic puts into the player's hand: particle effects that
// follow the pointer for a fixed number of ticks. Then the fire goes out:
// its game variable reads "false", the item held before the casting comes
// back into the hand, and the fire item deletes itself.

#include <vector>

#include "items/OItem.h"
#include "sdk/TSprite.h"
#include "visual/TFxSprite.h"

class TXmlNode;

class OFireMagicItem : public OItem {
 public:
  OFireMagicItem(const str& name, IItemsManager* owner, const str& visualFolder, const str& visualPath);
  ~OFireMagicItem() override;

  // The burn length ("fire_ticks") and the variable ("flag_name") are
  // element content; the count goes on from the one the registry keeps.
  static IItem* CreateForPointer(const str& name, TXmlNode* node, IItemsManager* owner);

  bool IsKindOf(int32_t typeId) const override;
  const char* GetTypeName() const override { return "OFireMagicItem"; }
  int32_t GetTypeId() const override { return ItemTypeId::OFireMagicItem; }

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  // The visual, and the particles lit.
  void CreateObject() override;
  // The visual, then the particles at the pointer.
  void Draw() override;
  // One tick of burning. The tick the fire goes out it deletes itself, as
  // the last thing the pointer's tick does: nothing may touch it after.
  void Update() override;
  // Puts the fire out on the next tick.
  bool Use(const TPoint& point) override;
  bool IsInScene() const override { return false; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return true; }
  bool CanBeDropped() const override { return false; }
  bool CanBeStored() const override { return false; }
  bool CanBeReturned() const override { return false; }
  bool OnMaskClick(IMask* mask) override { return false; }
  void ReleaseMask() override {}
  void Detach() override {}
  // The tick count.
  void SaveState() override;

  // The fire goes out now, as at the end of its burn: its variable reads
  // "false", the item it was cast on comes back into the hand, and the fire
  // item deletes itself.
  void GoOut();
  // The name of the item the hand held when the fire was cast; "" for none.
  static str GetSavedItem();

  // The game variable that reads "true" while the fire burns.
  const str& GetFlagName() const { return mFlagName; }
  int32_t GetBurnTicks() const { return mBurnTicks; }
  int32_t GetCounter() const { return mCounter; }
  const std::vector<TFxSpriteRef>& GetSprites() const { return mSprites; }

 private:
  str mFlagName;
  std::vector<TFxSpriteRef> mSprites;
  TSpriteRef mParent;
  int32_t mBurnTicks = 0;
  int32_t mCounter = 0;
};
