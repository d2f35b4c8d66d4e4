#include "ORestoreItemAction.h"

#include "game/GMasksManager.h"
#include "game/GScene.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TReport.h"

void ORestoreItemAction::Execute() {
  GScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  IItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  IItem* item = OItemFactory::CreateForInventory(mItemName, items);
  OItem* restored = dynamic_cast<OItem*>(item);
  if (!restored) {
    Report("restore_item: no item \"%s\" can be made; nothing restored", mItemName.c_str());
    delete item;
    return;
  }
  restored->CreateObject();
  // Quietly: the item is not in sight, only its place in the registry counts.
  restored->ReturnToScene(true);
  delete restored;
}
