#include "ORestoreItemAction.h"

#include "game/GFullScreenGameScene.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/OMousePointerManager.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TReport.h"

void ORestoreItemAction::Execute() {
  // Copied: when the held item runs this as its own action, returning it
  // may delete the item and this action with it.
  const str name = mItemName;
  GScene* scene = mOwner ? mOwner->GetScene() : nullptr;
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  GFullScreenGameScene* home = items ? items->GetScene() : nullptr;
  // In its own scene the item is returned in sight, as itself; anywhere
  // else only its place in the registry and the rules hear of it.
  const bool here = home && home->IsSceneItem(name);

  GMousePointer* pointer = GMousePointer::PeekInstance();
  OMousePointerManager* hand = pointer ? pointer->GetManager() : nullptr;
  IItem* held = hand ? hand->GetHeldItem() : nullptr;
  IItem* item = here ? items->FindItem(name) : nullptr;
  const bool listed = item != nullptr;
  if (held && held->GetName() == name) {
    // The registry keeps one place for a name: the hand lets go of it.
    hand->ReleaseItem();
    hand->OnItemDropped();
    if (listed)
      delete held;
    else
      item = held;
  }
  if (!item) {
    item = OItemFactory::CreateForInventory(name, items);
    if (item) item->CreateObject();
  }
  OItem* restored = dynamic_cast<OItem*>(item);
  if (!restored) {
    Report("restore_item: no item \"%s\" can be made; nothing restored", name.c_str());
    if (!listed) delete item;
    return;
  }

  if (here) {
    restored->SetItemsManager(items);
    restored->ReturnToScene(true);
    if (!listed) items->InsertInSceneOrder(restored);
    return;
  }
  // Only the owner goes, so no mask or particle of this scene is touched;
  // its actions keep this scene's masks manager, where a return action runs.
  restored->OItem::SetItemsManager(nullptr);
  restored->ReturnToScene(true);
  delete restored;
}
