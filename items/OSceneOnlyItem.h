#pragma once
// What the item kinds that only ever lie in their scene share: they never
// move, take no clicks, hold no mask and listen to no visual state. Each
// kind overrides what it does differently; this class has no identity of
// its own.

#include "items/OItem.h"

class OSceneOnlyItem : public OItem {
 public:
  using OItem::OItem;

  void OnStateChange(GVObject* object, TState current, TState& requested) override {}
  void OnStateEnd(GVObject* object, TState state) override {}
  bool IsInScene() const override { return true; }
  bool IsInInventory() const override { return false; }
  bool IsOnPointer() const override { return false; }
  bool OnMaskClick(IMask* mask) override { return false; }
  void ReleaseMask() override {}
  void Detach() override {}
  void SaveState() override {}
};
