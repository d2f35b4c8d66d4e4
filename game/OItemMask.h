#pragma once
// A mask that passes the pointer's events to the item linked to it. The item
// sets and clears the link itself; without an item the mask is inactive.

#include "OMask.h"

class IItem;

class OItemMask : public OSimpleMask {
 public:
  OItemMask(const str& name, TImage* image, const str& captionKey, GMasksManager* manager)
      : OSimpleMask(name, image, captionKey, manager) {}

  bool IsActive() override;
  void OnEnter(const TPoint& point) override;
  void OnLeave() override;
  bool OnClick() override;

  void SetItem(IItem* item) { mItem = item; }
  IItem* GetItem() const { return mItem; }

 private:
  IItem* mItem = nullptr;
};

// The item mask of that name in the manager, or null when there is none or
// the mask of that name is of another kind: items link only to item masks.
OItemMask* FindItemMask(GMasksManager* manager, const str& name);
