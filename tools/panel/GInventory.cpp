#include "GInventory.h"

#include <algorithm>

#include "game/OGameConfig.h"
#include "items/IItem.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVData.h"

namespace {
// Far more cells than any strip shows; a larger count is a typo in the
// content, and would only cost memory.
const int kMaxCells = 1000;
}  // namespace

GInventory::GInventory() {
  SetWindowSize(800, 600);
}

GInventory::~GInventory() {
  DeleteCells();
}

void GInventory::DeleteCells() {
  for (GInventoryCell* cell : mCells) {
    if (cell->GetParent()) cell->GetParent()->OrphanChild(cell);
    delete cell;
  }
  mCells.clear();
  mPositions.clear();
}

void GInventory::LoadCells(TWindowStyle& style, TXmlNode* node) {
  TWindow::Init(style);
  if (!node) node = OGameConfig::GetInstance()->GetGameScreenChild(str());
  DeleteCells();
  TXmlNode* cells = node ? node->GetChild("cells") : nullptr;
  if (!cells) return;
  int total = cells->GetAttribute("totalCells").to_int();
  if (total < 0 || total > kMaxCells) {
    Report("game_screen: an inventory's \"totalCells\" is %d, not 0 to %d; it has no cells", total,
           kMaxCells);
    total = 0;
  }
  int width = cells->GetAttribute("width").to_int(), height = cells->GetAttribute("height").to_int();
  for (int i = 0; i < total; ++i) {
    GInventoryCell* cell = new GInventoryCell(width, height, i, this);
    mCells.push_back(cell);
    cell->Init(style);
  }
  for (size_t i = 0; i < cells->GetChildCount(); ++i) {
    TXmlNode* position = cells->GetChildAt(i);
    mPositions.push_back(TPoint(float(GVReadCoordinate("x", position)), float(GVReadCoordinate("y", position))));
  }
  LayOut();
}

int GInventory::GetLastFirstCell() const {
  return std::max(0, GetTotalCells() - GetVisibleCount());
}

GInventoryCell* GInventory::GetCell(int index) const {
  return index >= 0 && index < GetTotalCells() ? mCells[index] : nullptr;
}

void GInventory::LayOut() {
  for (GInventoryCell* cell : mCells)
    if (cell->GetParent()) cell->GetParent()->OrphanChild(cell);
  // More positions than cells after the first one leave the rest empty.
  for (int j = 0; j < GetVisibleCount(); ++j) {
    GInventoryCell* cell = GetCell(mFirstCell + j);
    if (!cell) continue;
    cell->MoveTo(mPositions[j]);
    AdoptChild(cell);
  }
}

bool GInventory::ContainsItem(const str& name) {
  for (GInventoryCell* cell : mCells)
    if (cell->GetItem() && cell->GetItem()->GetName() == name) return true;
  return false;
}

bool GInventory::IsOverCell(const TPoint& point) const {
  for (TWindow* child : GetChildren())
    if (child->IsKindOf(GInventoryCell::ClassId()) && child->GetWindowRect().Contains(point)) return true;
  return false;
}

void GInventory::SetDisabled(bool disabled) {
  mDisabled = disabled;
  for (GInventoryCell* cell : mCells) cell->SetDisabled(disabled);
}

void GInventory::Tick() {
  for (GInventoryCell* cell : mCells) cell->Tick();
}

void GInventory::SetItemsManager(IItemsManager* manager) {
  for (GInventoryCell* cell : mCells) cell->SetItemsManager(manager);
}

void GInventory::RefreshItems() {
  for (GInventoryCell* cell : mCells)
    if (cell->GetItem()) cell->GetItem()->ReleaseMask();
}

bool GInventory::Accepts(IItem* item) const {
  return item && item->CanBeStored() && (!mAccepts || mAccepts(item));
}

void GInventory::DeleteItems() {
  for (GInventoryCell* cell : mCells) cell->DeleteItem();
}

void GInventory::PostDraw() {
  for (int j = 0; j < GetVisibleCount(); ++j)
    if (GInventoryCell* cell = GetCell(mFirstCell + j))
      if (cell->GetItem()) cell->GetItem()->Draw();
  TWindow::PostDraw();
}
