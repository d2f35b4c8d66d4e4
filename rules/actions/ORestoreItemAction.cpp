#include "ORestoreItemAction.h"

#include <vector>

#include "game/GFullScreenGameScene.h"
#include "game/GGameWnd.h"
#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/ODropZone.h"
#include "game/ODropZoneSet.h"
#include "game/ODropZonesRegistry.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "items/OItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsManager.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"

namespace {
// The registry keeps one place for a name: every object of the name the
// player could still reach (in the hand, in a drop zone of the scene, in an
// inventory cell) is taken out of its place, and a zone of another scene
// forgets its record, so the item is only in its scene afterwards.
std::vector<IItem*> TakeFromEveryPlace(const str& name, GFullScreenGameScene* scene) {
  std::vector<IItem*> taken;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  OMousePointerManager* hand = pointer ? pointer->GetManager() : nullptr;
  IItem* held = hand ? hand->GetHeldItem() : nullptr;
  if (held && held->GetName() == name) {
    hand->ReleaseItem();
    hand->OnItemDropped();
    taken.push_back(held);
  }

  if (ODropZoneSet* zones = scene ? scene->GetDropZoneSet() : nullptr) {
    for (ODropZone* zone : zones->GetZones()) {
      std::vector<IItem*> fromZone = zone->TakeAll(name);
      taken.insert(taken.end(), fromZone.begin(), fromZone.end());
    }
  }
  ODropZonesRegistry* records = ODropZonesRegistry::GetInstance();
  TXmlNode* zoneList = OGameConfig::GetInstance()->GetDropZones();
  std::vector<str> keys;
  for (const auto& entry : records->GetEntries()) keys.push_back(entry.first);
  // Only the zones' keys: the cook desk and the player tools keep records
  // of their own under other keys.
  for (const str& key : keys)
    if (zoneList && TXmlNode::IsValidName(key) && zoneList->GetChild(key)) records->RemoveItem(key, name);

  GGameWnd* wnd = GGameWnd::GetCurrent();
  GGamePanel* panel = wnd ? wnd->GetPanel() : nullptr;
  for (int i = 0; panel && i < GGamePanel::kInventoryCount; ++i) {
    GInventory* inventory = panel->GetInventory(i);
    if (!inventory) continue;
    for (GInventoryCell* cell : inventory->GetCells()) {
      IItem* stored = cell->GetItem();
      if (!stored || stored->GetName() != name) continue;
      if (cell->IsHovered()) {
        if (OItem* owned = dynamic_cast<OItem*>(stored)) owned->HideCaption();
        if (pointer) pointer->SetSceneMode(0);
      }
      taken.push_back(cell->TakeItem());
    }
  }
  return taken;
}
}  // namespace

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

  IItem* item = here ? items->FindItem(name) : nullptr;
  const bool listed = item != nullptr;
  std::vector<IItem*> taken = TakeFromEveryPlace(name, home);
  for (IItem* other : taken) {
    // The first one found serves unless the scene still lists the item.
    if (!item)
      item = other;
    else
      delete other;
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

  // A combo returns the items it stands for and takes no place of its own
  // among the scene's items.
  if (here && (listed || !restored->IsKindOf(ItemTypeId::OComboItem))) {
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
