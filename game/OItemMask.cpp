#include "OItemMask.h"

#include "GMasksManager.h"
#include "items/IItem.h"

bool OItemMask::IsActive() {
  return mItem && mItem->OwnsMask(this);
}

void OItemMask::OnEnter(const TPoint& point) {
  if (!mItem) return;
  mItem->OnMaskEnter(this);
  if (!mCaptionKey.empty() && mManager) mManager->SetCaptionKey(mCaptionKey);
}

void OItemMask::OnLeave() {
  // The item clears the caption itself.
  if (mItem) mItem->OnMaskLeave(this);
}

bool OItemMask::OnClick() {
  return mItem ? mItem->OnMaskClick(this) : false;
}

OItemMask* FindItemMask(GMasksManager* manager, const str& name) {
  return manager ? dynamic_cast<OItemMask*>(manager->FindMask(name)) : nullptr;
}
