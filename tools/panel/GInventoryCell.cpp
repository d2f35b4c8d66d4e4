#include "GInventoryCell.h"

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GScene.h"
#include "game/OFlagsRegistry.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/IItemsManager.h"
#include "items/OBasementFlaskItem.h"
#include "items/OComboGuide.h"
#include "items/OItem.h"
#include "items/OMatchesBoxItem.h"
#include "rules/actions/OCompositeAction.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"

namespace {
// The pointer's scene mode over a stored item: an item to take.
const int kItemSceneMode = 3;

IItem* CellHeldItem() {
  OMousePointerManager* manager = GMousePointer::PeekManager();
  return manager ? manager->GetHeldItem() : nullptr;
}

void DeleteHeldItem() {
  if (OMousePointerManager* manager = GMousePointer::PeekManager()) manager->DeleteHeldItem();
}

IMousePointerEventListener* Pointer() {
  return GMousePointer::GetInstance();
}

void ShowCaption(IItem* item) {
  if (OItem* owned = dynamic_cast<OItem*>(item)) owned->ShowCaption();
}

void HideCaption(IItem* item) {
  if (OItem* owned = dynamic_cast<OItem*>(item)) owned->HideCaption();
}

bool IsFlask(IItem* item) {
  return item && item->GetTypeId() == ItemTypeId::OBasementFlaskItem;
}

void SetFlaskPotion(IItem* flask, const str& potion) {
  OBasementFlaskItem::SetPotion(static_cast<OBasementFlaskItem*>(flask), potion, false);
}

bool IsBurningMatchesBox(IItem* item) {
  return IsMatchesBoxItem(item) &&
         static_cast<OMatchesBoxItem*>(item)->GetMatchMode() == OMatchesBoxItem::kBurning;
}
}  // namespace

GInventoryCell::GInventoryCell(int width, int height, int index, GInventory* inventory)
    : mWidth(width), mHeight(height), mRect(0, 0, width, height), mIndex(index), mInventory(inventory) {
  SetWindowSize(width, height);
}

GInventoryCell::~GInventoryCell() {
  delete mItem;
  mItem = nullptr;
}

void GInventoryCell::MoveTo(const TPoint& point) {
  if (GVObject* object = mItem ? mItem->GetObject() : nullptr) {
    object->deltaX = point.x;
    object->deltaY = point.y;
    object->changed = 1;
  }
  SetWindowPos(int(point.x), int(point.y));
}

void GInventoryCell::MoveTo(int x, int y) {
  MoveTo(TPoint(float(x), float(y)));
}

void GInventoryCell::PlaceItem() {
  if (!mItem) return;
  if (GVObject* object = mItem->GetObject()) {
    object->deltaX = float(GetX());
    object->deltaY = float(GetY());
    object->changed = 1;
  }
}

bool GInventoryCell::PutItem(IItem* item) {
  if (mItem || !item) return false;
  mItem = item;
  mItem->MoveToInventory();
  PlaceItem();
  return true;
}

IItem* GInventoryCell::TakeItem() {
  IItem* item = mItem;
  mItem = nullptr;
  mHovered = false;
  return item;
}

void GInventoryCell::DeleteItem() {
  delete TakeItem();
}

void GInventoryCell::Hold(IItem* item) {
  mItem = item;
  mHovered = false;
  ShowCaption(item);
}

void GInventoryCell::SetItemsManager(IItemsManager* manager) {
  mItemsManager = manager;
  if (OItem* owned = dynamic_cast<OItem*>(mItem)) owned->SetItemsManager(manager);
}

bool GInventoryCell::OnMouseMove(const TPoint& local) {
  TWindowManager::GetInstance()->AddMouseListener(this);
  mHoverPoint = local;
  return false;
}

void GInventoryCell::OnMouseLeave() {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  // The hover ends here, not on the next tick: by then the window the mouse
  // went on to may have set a look of its own, which a late reset would undo.
  if (mHovered) {
    if (mItem) HideCaption(mItem);
    mHovered = false;
  }
  TWindowManager::GetInstance()->RemoveMouseListener(this);
  mHoverPoint.x = -2;
}

void GInventoryCell::Tick() {
  if (!mItem) {
    mHovered = false;
    return;
  }
  mItem->Update();
  // A disabled cell keeps whatever caption it showed.
  if (mDisabled) return;
  if (GetParent() && mRect.Contains(int(mHoverPoint.x), int(mHoverPoint.y))) {
    if (!mHovered) {
      Pointer()->SetSceneMode(kItemSceneMode);
      mHovered = true;
      ShowCaption(mItem);
    }
  } else if (mHovered) {
    Pointer()->SetSceneMode(0);
    HideCaption(mItem);
    mHovered = false;
  }
}

bool GInventoryCell::AcceptsClicks() const {
  if (mDisabled) return false;
  GScene* scene = GGamePanel::CurrentScene();
  if (scene && (scene->GetInteractionMode() != 0 || !scene->CanUseItem(mIndex))) return false;
  return OFlagsRegistry::GetInstance()->GetValue("are_we_sleeping") != "true";
}

bool GInventoryCell::Accepts(IItem* held) const {
  if (mInventory) return mInventory->Accepts(held);
  return held && held->CanBeStored();
}

bool GInventoryCell::OnMouseUp(const TPoint& local) {
  if (!AcceptsClicks()) return false;

  str stored, taken;
  IItem* held = CellHeldItem();
  if (mItem) {
    if (UseHeldItem(local)) {
      // Used: whatever the rule left in the cell is placed below.
    } else if (Accepts(held)) {
      held->MoveToInventory();
      stored = held->GetName();
      Pointer()->ReleaseItem();
      IItem* old = mItem;
      HideCaption(old);
      old->MoveToPointer();
      old->PlayTakeSound();
      taken = old->GetName();
      Hold(held);
    } else if (!held) {
      IItem* old = TakeItem();
      HideCaption(old);
      old->MoveToPointer();
      old->PlayTakeSound();
      taken = old->GetName();
    }
  } else if (Accepts(held)) {
    mItem = held;
    held->MoveToInventory();
    stored = held->GetName();
    Pointer()->ReleaseItem();
    held->PlayPutSound();
    Pointer()->OnItemDropped();
    ShowCaption(held);
  }
  PlaceItem();
  OMissionsManager* missions = OMissionsManager::GetInstance();
  if (!stored.empty()) missions->OnItemInventoryPush(stored);
  if (!taken.empty()) missions->OnItemGet(taken);
  return false;
}

bool GInventoryCell::UseHeldItem(const TPoint& point) {
  IItem* held = CellHeldItem();
  if (!held) return false;
  if (!mItem) {
    held->Use(point);
    return true;
  }
  OComboGuide* guide = OComboGuide::GetInstance();
  const str type = OComboGuide::GetResultType(mItem, held);
  TXmlNode* result = OComboGuide::FindRule(guide, mItem->GetCurrentName(), held->GetCurrentName());

  if (type == "potion_spell") {
    // The rule pairs a flask with something else; two other items have no
    // flask to take the potion, and the use fails.
    const str potion = result->GetAttribute("value");
    if (IsFlask(mItem)) {
      SetFlaskPotion(mItem, potion);
      DeleteHeldItem();
    } else if (IsFlask(held)) {
      SetFlaskPotion(held, potion);
      DeleteItem();
    } else {
      return false;
    }
  } else if (type == "potion_combo_use") {
    IItem* made = OComboGuide::ApplyToInventoryItem(held, guide, mItem, mItemsManager);
    if (!made) return false;
    if (IsFlask(mItem)) {
      DeleteHeldItem();
      Pointer()->HoldItem(made);
      ShowCaption(mItem);
    } else {
      DeleteItem();
      Hold(made);
    }
  } else if (type == "tablet_combine") {
    // A result that cannot be made changes nothing: both items stay.
    IItem* made = OComboGuide::ApplyToInventoryItem(held, guide, mItem, mItemsManager);
    if (!made) return false;
    if (result->GetAttribute("second_item").empty()) {
      made->MoveToPointer();
      if (IItem* now = CellHeldItem()) now->Use(point);
      DeleteItem();
    } else {
      // The hand already holds the rule's other result: the one made for
      // the inventory takes the consumed item's cell, so each of the two
      // has one place.
      DeleteItem();
      Hold(made);
      if (IItem* now = CellHeldItem()) now->Use(point);
    }
  } else {
    if (type == "match_burn" && !IsBurningMatchesBox(held)) return false;
    IItem* made = OComboGuide::ApplyToInventoryItem(held, guide, mItem, mItemsManager);
    if (!made) return false;
    DeleteItem();
    Hold(made);
  }

  const str post = result ? result->GetAttribute("post_composite_action_name") : str();
  if (!post.empty()) {
    OCompositeAction action(post, mItemsManager ? mItemsManager->GetMasksManager() : nullptr);
    action.Execute();
  }
  return true;
}

bool GInventoryCell::OnExtendedMouseEvent(const TPoint& local, int event) {
  // The right button takes and uses as the left one does, so it obeys the
  // same refusals.
  if (event != 0 || !AcceptsClicks()) return false;
  if (IItem* held = CellHeldItem()) {
    held->Use(local);
    return true;
  }
  if (!mItem) return false;
  IItem* item = TakeItem();
  HideCaption(item);
  item->MoveToPointer();
  item->PlayTakeSound();
  if (IItem* now = CellHeldItem()) now->Use(local);
  return true;
}
