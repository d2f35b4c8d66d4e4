#include "OSubstituteItemAction.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TReport.h"

void OSubstituteItemAction::Execute() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (!pointer || !pointer->GetManager()) return;
  GScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  IItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  // The new item first: when it cannot be made the hand keeps its item
  // rather than ending up empty.
  IItem* item = OItemFactory::CreateForPointer(mItemName, items);
  if (!item) {
    Report("substitute: no item \"%s\" can be made; the held item stays", mItemName.c_str());
    return;
  }
  IItem* held = pointer->GetHeldItem();
  pointer->ReleaseItem();
  item->CreateObject();
  pointer->HoldItem(item);
  delete held;
}
