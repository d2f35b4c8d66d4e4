#include "GAlchemicalDevicePanel.h"

#include <algorithm>

#include "game/GFullScreenGameScene.h"
#include "game/GMousePointer.h"
#include "game/OGameConfig.h"
#include "items/IItemsManager.h"
#include "items/OItem.h"
#include "items/OItemsManager.h"
#include "sdk/TImage.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"
#include "visual/GVXmlLoaders.h"

namespace {
const char* const kConfigName = "alchmical_device_inventory";
const char* const kAnimWhere = "cfg/game_screen.xml: alchmical_device_inventory/anim";
const char* const kCellsWhere = "cfg/game_screen.xml: alchmical_device_inventory/cells";

IItem* HeldItem() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  return pointer ? pointer->GetHeldItem() : nullptr;
}
}  // namespace

// ---- cells ----

GAlchemicalDeviceCell::GAlchemicalDeviceCell(GAlchemicalDevicePanel* panel, int width, int height, int index)
    : GInventoryCell(width, height, index, nullptr), mPanel(panel) {}

void GAlchemicalDeviceCell::PostDraw() {
  if (mItem) mItem->Draw();
  TWindow::PostDraw();
}

bool GAlchemicalDeviceCell::OnMouseUp(const TPoint& local) {
  if (mCellState != kFull || mPanel->IsPaused() || !mItem || HeldItem() ||
      mPanel->IsItemLocked(mItem->GetName()))
    return false;
  IItem* item = TakeItem();
  if (OItem* owned = dynamic_cast<OItem*>(item)) owned->HideCaption();
  SetCellState(kEmpty);
  item->MoveToPointer();
  item->PlayTakeSound();
  mPanel->CompactCells();
  return false;
}

bool GAlchemicalDeviceCell::OnExtendedMouseEvent(const TPoint& local, int event) {
  return false;
}

void GAlchemicalDeviceCell::SetCellState(int state) {
  mCellState = state;
  mCounter = 0;
}

void GAlchemicalDeviceCell::SetItemAlpha(float alpha, bool visible) {
  GVObject* object = mItem ? mItem->GetObject() : nullptr;
  if (!object) return;
  if (visible) object->alpha = alpha;
  object->visible = visible ? 1 : 0;
  object->changed = 1;
}

void GAlchemicalDeviceCell::Tick() {
  // The base tick updates the item and shows its caption under the pointer.
  if (!mPanel->IsPaused()) GInventoryCell::Tick();
  if (mCellState == kFilling) {
    ++mCounter;
    SetItemAlpha(float(mCounter) / kFadeTicks, true);
    if (mCounter >= kFadeTicks) {
      SetCellState(kFull);
      SetItemAlpha(1, true);
    }
  } else if (mCellState == kEmptying) {
    ++mCounter;
    float alpha = 1 - float(mCounter) / kFadeTicks;
    SetItemAlpha(alpha, alpha > 0);
    if (mCounter >= kFadeTicks) mCellState = kEmptied;
  }
}

bool GAlchemicalDeviceCell::Take(IItem* item, int state) {
  if (mItem || !item) return false;
  mItem = item;
  item->MoveToAlchemicalInventory();
  if (GVObject* object = item->GetObject()) {
    object->deltaX = 0;
    object->deltaY = 0;
    if (state == kFull) {
      object->alpha = 1;
      object->visible = 1;
    }
    object->changed = 1;
  }
  SetCellState(state);
  return true;
}

bool GAlchemicalDeviceCell::PutItem(IItem* item) {
  return Take(item, kFilling);
}

bool GAlchemicalDeviceCell::PutItemFull(IItem* item) {
  return Take(item, kFull);
}

// ---- the panel ----

GAlchemicalDevicePanel::GAlchemicalDevicePanel() {
  SetName("alchemical_device_panel");
  SetWindowSize(800, 600);
}

GAlchemicalDevicePanel::~GAlchemicalDevicePanel() {
  DeleteLiquid();
}

void GAlchemicalDevicePanel::Fill(TXmlNode* node) {
  if (!node) node = OGameConfig::GetInstance()->GetGameScreenChild(kConfigName);
  if (!node) return;
  if (TXmlNode* bg = node->GetChild("bg")) {
    mBackground = LoadImageFromXml(bg);
    if (mBackground) AdoptChild(mBackground);
  }
  mWaitBeforeShow = node->GetAttribute("wait_before_show_ticks").to_int();
  if (TXmlNode* anim = node->GetChild("anim")) {
    for (size_t i = 0; i < anim->GetChildCount(); ++i) {
      TXmlNode* point = anim->GetChildAt(i);
      mPath.emplace_back(GVReadCoordinate("x", point, kAnimWhere), GVReadCoordinate("y", point, kAnimWhere));
    }
  }
  // Cells stand at their configured screen places once the panel is shown,
  // at the last point of the path.
  const std::pair<int, int> last = mPath.empty() ? std::make_pair(0, 0) : mPath.back();
  if (TXmlNode* cells = node->GetChild("cells")) {
    int width = GVReadSize("width", cells, kCellsWhere);
    int height = GVReadSize("height", cells, kCellsWhere);
    for (size_t i = 0; i < cells->GetChildCount(); ++i) {
      TXmlNode* place = cells->GetChildAt(i);
      GAlchemicalDeviceCell* cell = new GAlchemicalDeviceCell(this, width, height, int(i));
      cell->SetWindowPos(GVReadCoordinate("x", place, kCellsWhere) - last.first,
                         GVReadCoordinate("y", place, kCellsWhere) - last.second);
      mCells.push_back(cell);
      AdoptChild(cell);
    }
  }
  SetSlideState(kHidden);
}

void GAlchemicalDevicePanel::PlaceAt(int pathIndex) {
  if (pathIndex < 0 || pathIndex >= int(mPath.size())) return;
  SetWindowPos(mPath[size_t(pathIndex)].first, mPath[size_t(pathIndex)].second);
}

void GAlchemicalDevicePanel::SetSlideState(int state) {
  mSlideState = state;
  mSlideCounter = 0;
  PlaceAt(state == kShown || state == kSlidingOut ? int(mPath.size()) - 1 : 0);
}

void GAlchemicalDevicePanel::Update() {
  const int last = int(mPath.size()) - 1;
  switch (mSlideState) {
    case kSlidingIn:
      ++mSlideCounter;
      if (mSlideCounter > mWaitBeforeShow) PlaceAt(mSlideCounter - mWaitBeforeShow);
      // A path of one point or none has nowhere to go: the slide ends once
      // the wait is over.
      if (mSlideCounter - mWaitBeforeShow >= std::max(last, 0)) SetSlideState(kShown);
      break;
    case kShown: {
      GVObject* main = mLiquid ? mLiquid->GetChild("main") : nullptr;
      if (!main) main = mLiquid;
      if (main && main->GetState() == kStateNormal) {
        mLiquid->SetState(TState::FromCStr("stFilling"), true);
        mLiquid->visible = 1;
        mLiquid->changed = 1;
      }
      for (GAlchemicalDeviceCell* cell : mCells) cell->Tick();
      break;
    }
    case kSlidingOut:
      ++mSlideCounter;
      PlaceAt(last - mSlideCounter);
      // Under two points the counter would never meet the path's end.
      if (mSlideCounter >= last) SetSlideState(kHidden);
      break;
    default:
      break;
  }
}

bool GAlchemicalDevicePanel::MakeLiquid(const str& name, const str& objectName, const str& folder, int x,
                                        int y) {
  if (HasLiquid()) return false;
  mLiquidName = name;
  mLiquid = GVFactory::GetInstance()->CreateInList(&mLiquidList, folder, objectName);
  if (mLiquid) {
    mLiquid->deltaX = float(x);
    mLiquid->deltaY = float(y);
    mLiquid->changed = 1;
  }
  return true;
}

bool GAlchemicalDevicePanel::SetLiquid(const str& name, const str& objectName, const str& folder, int x,
                                       int y) {
  if (!MakeLiquid(name, objectName, folder, x, y)) return false;
  if (mLiquid) {
    mLiquid->SetState(kStateNormal, true);
    mLiquid->visible = 0;
  }
  return true;
}

bool GAlchemicalDevicePanel::SetBoilingLiquid(const str& name, const str& objectName, const str& folder,
                                              int x, int y) {
  if (!MakeLiquid(name, objectName, folder, x, y)) return false;
  if (mLiquid) {
    mLiquid->SetState(TState::FromCStr("stBoiling"), true);
    mLiquid->visible = 1;
  }
  return true;
}

void GAlchemicalDevicePanel::DeleteLiquid() {
  delete mLiquid;
  mLiquid = nullptr;
  mLiquidName = str();
}

bool GAlchemicalDevicePanel::HasEmptyCell() const {
  return std::any_of(mCells.begin(), mCells.end(), [](GAlchemicalDeviceCell* c) { return !c->GetItem(); });
}

std::vector<str> GAlchemicalDevicePanel::GetItemNames() const {
  std::vector<str> names;
  for (GAlchemicalDeviceCell* cell : mCells)
    if (cell->GetItem()) names.push_back(cell->GetItem()->GetName());
  return names;
}

GAlchemicalDeviceCell* GAlchemicalDevicePanel::GetCell(int index) const {
  return index >= 0 && index < int(mCells.size()) ? mCells[size_t(index)] : nullptr;
}

bool GAlchemicalDevicePanel::PutItem(IItem* item) {
  for (GAlchemicalDeviceCell* cell : mCells)
    if (!cell->GetItem()) return cell->PutItem(item);
  return false;
}

bool GAlchemicalDevicePanel::PutItemFull(IItem* item) {
  for (GAlchemicalDeviceCell* cell : mCells)
    if (!cell->GetItem()) return cell->PutItemFull(item);
  return false;
}

void GAlchemicalDevicePanel::StartEmptying(const std::vector<int>& cells) {
  for (int index : cells)
    if (GAlchemicalDeviceCell* cell = GetCell(index)) cell->SetCellState(GAlchemicalDeviceCell::kEmptying);
}

void GAlchemicalDevicePanel::ReturnItemToScene(IItem* item) {
  if (!item) return;
  OItem* owned = dynamic_cast<OItem*>(item);
  IItemsManager* owner = owned ? owned->GetItemsManager() : nullptr;
  GFullScreenGameScene* scene = owner ? owner->GetScene() : nullptr;
  if (owned) owned->ReturnToScene(true);
  // A cell may have faded the item out: it lies in its scene whole again.
  if (GVObject* object = item->GetObject()) {
    object->alpha = 1;
    object->visible = 1;
    object->changed = 1;
  }
  // An item of the scene on screen lies there again at once, as an item put
  // back by hand does; any other is made again by its own scene.
  OItemsManager* items = scene ? scene->GetItemsManager() : nullptr;
  if (items && scene->IsSceneItem(item->GetName()) && !items->FindItem(item->GetName())) {
    items->InsertInSceneOrder(item);
    return;
  }
  delete item;
}

void GAlchemicalDevicePanel::RemoveListedItems(const std::vector<int>& cells) {
  for (int index : cells) {
    GAlchemicalDeviceCell* cell = GetCell(index);
    if (!cell || !cell->GetItem()) continue;
    IItem* item = cell->GetItem();
    cell->ForgetItem();
    cell->SetCellState(GAlchemicalDeviceCell::kEmpty);
    ReturnItemToScene(item);
  }
  CompactCells();
}

void GAlchemicalDevicePanel::ClearAll() {
  for (GAlchemicalDeviceCell* cell : mCells) {
    IItem* item = cell->GetItem();
    if (!item) continue;
    cell->ForgetItem();
    ReturnItemToScene(item);
  }
  DeleteLiquid();
}

void GAlchemicalDevicePanel::CompactCells() {
  for (bool moved = true; moved;) {
    moved = false;
    for (int i = int(mCells.size()) - 2; i >= 0; --i) {
      GAlchemicalDeviceCell* here = mCells[size_t(i)];
      GAlchemicalDeviceCell* next = mCells[size_t(i) + 1];
      if (here->GetItem() || !next->GetItem()) continue;
      IItem* item = next->GetItem();
      next->ForgetItem();
      next->SetCellState(GAlchemicalDeviceCell::kEmpty);
      here->PutItemFull(item);
      moved = true;
    }
  }
  bool empty = mCells.empty() || !mCells.front()->GetItem();
  if (empty && !HasLiquid() && mSlideState != kSlidingOut && mSlideState != kHidden)
    SetSlideState(kSlidingOut);
}

bool GAlchemicalDevicePanel::IsItemLocked(const str& name) const {
  return mPaused || std::find(mLockedItems.begin(), mLockedItems.end(), name) != mLockedItems.end();
}

void GAlchemicalDevicePanel::PostDraw() {
  TWindow::PostDraw();
  if (mLiquid) mLiquidList.Draw();
}
