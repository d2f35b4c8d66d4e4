#include "GVethraGrid.h"

#include "game/GMousePointer.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OMousePointerManager.h"
#include "game/OPopupQueue.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/vethra/GVethraMap.h"
#include "visual/GButton.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kNoWayKey = "hint_vethra_no_way";

void GridOrphan(TWindow* w) {
  if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
}
}  // namespace

GVethraGrid::GVethraGrid() : mLuaNames(this) {}

GVethraGrid::~GVethraGrid() {
  mLuaNames.UnbindAll();
  GridOrphan(mSelection);
  delete mSelection;
  GridOrphan(mButton);
  delete mButton;
}

void GVethraGrid::Setup() {
  TXmlNode* map = OGameConfig::GetInstance()->GetGameScreenChild("vethra_map");
  TXmlNode* grid = map ? map->GetChild("map_grid") : nullptr;
  if (grid) {
    mGridX = grid->GetAttribute("cells_x").to_int();
    mGridY = grid->GetAttribute("cells_y").to_int();
    mCellW = grid->GetAttribute("w").to_int();
    mCellH = grid->GetAttribute("h").to_int();
    mColumns = grid->GetAttribute("num_x").to_int();
    mRows = grid->GetAttribute("num_y").to_int();
  }
  if (mCellW <= 0 || mCellH <= 0)
    Report("cfg/game_screen.xml: vethra_map/map_grid has no cell size; no cell of the map can be chosen");
  mSelection = WindowCast<TImage>(GetChildWindow("selection"));
  mButton = WindowCast<GButton>(GetChildWindow("button"));
  GridOrphan(mSelection);
  GridOrphan(mButton);
  mPointerX = -10;
  mLuaNames.Bind("onTravelClick", this, &GVethraGrid::onTravelClick);
  mMode = kChoosing;
  if (mButton) mButton->SetWindowPos(-10, -10);
}

bool GVethraGrid::CellAt(int x, int y, int* column, int* row) const {
  if (mCellW <= 0 || mCellH <= 0) return false;
  int c = (x - mGridX) / mCellW;
  int r = (y - mGridY) / mCellH;
  if (c < 0 || c >= mColumns || r < 0 || r >= mRows) return false;
  *column = c;
  *row = r;
  return true;
}

bool GVethraGrid::LeadsSomewhere(int column, int row) const {
  return !mMap ||
         OGame::GetInstance()->HasScene(GVethraMap::CellSceneId(mMap->GetCurrentPart(), column, row));
}

void GVethraGrid::RecordPointer() {
  if (OMousePointerManager* pointer = GMousePointer::PeekManager()) {
    mPointerX = pointer->GetX();
    mPointerY = pointer->GetY();
  }
}

void GVethraGrid::Tick() {
  RecordPointer();
  if (mMode != kChoosing) return;
  int column = 0, row = 0;
  if (CellAt(mPointerX, mPointerY, &column, &row) && LeadsSomewhere(column, row)) {
    if (!mSelection) return;
    if (!mSelection->GetParent()) AdoptChild(mSelection);
    mSelection->SetWindowPos(column * mCellW + mGridX, row * mCellH + mGridY);
  } else {
    GridOrphan(mSelection);
  }
}

void GVethraGrid::ClearChoice() {
  mMode = kChoosing;
  GridOrphan(mButton);
  if (mButton) mButton->SetWindowPos(-10, -10);
}

bool GVethraGrid::OnMouseUp(const TPoint& point) {
  // The pointer as it is now: a click may come before the next tick has
  // recorded where the mouse went.
  RecordPointer();
  int column = 0, row = 0;
  if (!CellAt(mPointerX, mPointerY, &column, &row)) return true;
  if (!LeadsSomewhere(column, row)) {
    // Chosen, the map would slide away for a journey that cannot be made.
    OPopupQueue::GetInstance()->PushString(kNoWayKey, "No way leads there");
    return true;
  }
  if (mButton) {
    mButton->SetWindowPos(column * mCellW + mGridX, row * mCellH + mGridY);
    if (!mButton->GetParent()) AdoptChild(mButton);
  }
  mChosenColumn = column;
  mChosenRow = row;
  mMode = kChosen;
  GridOrphan(mSelection);
  if (mSelection) mSelection->SetWindowPos(-10, -10);
  return true;
}

bool GVethraGrid::OnExtendedMouseEvent(const TPoint& point, int event) {
  if (mMode == kChosen && event == 0) ClearChoice();
  return true;
}

void GVethraGrid::onTravelClick() {
  // Only a chosen cell on a shown map is travelled to: the global may be
  // called from any script, and a cell never chosen would be a journey
  // nobody asked for; a second click while the map leaves changes nothing.
  if (mMode != kChosen || !mMap || mMap->GetState() != GVethraMap::kShown) return;
  mMap->TravelTo(mChosenColumn, mChosenRow);
}
