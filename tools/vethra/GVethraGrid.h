#pragma once
// The clickable grid of the Vethra world map ("GVethraGrid", built by
// scripts/vethra_grid.lua): the cell under the mouse is highlighted, a click
// chooses a cell and puts the travel button on it, the right button takes
// the choice back, and the button's "onTravelClick" sends the map away to
// the chosen cell's scene. Only cells with a scene are offered: a click on
// another tells the player that no way leads there.

#include "game/LuaBinding.h"
#include "sdk/TWindow.h"

class GButton;
class GVethraMap;
class TImage;

class GVethraGrid : public TWindow {
  TWINDOW_CLASS(GVethraGrid, TWindow)
 public:
  enum { kChoosing = 0, kChosen = 1 };

  GVethraGrid();
  ~GVethraGrid() override;

  // Reads game_screen/vethra_map/map_grid, takes the children "selection"
  // and "button" out of the window and binds "onTravelClick".
  void Setup();
  void SetMap(GVethraMap* map) { mMap = map; }
  void Tick();
  // Back to choosing: the travel button leaves its cell.
  void ClearChoice();

  bool OnMouseUp(const TPoint& point) override;
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;

  // Lua "onTravelClick".
  void onTravelClick();

  // The cell of a screen point, false outside the grid (or without cells).
  // The quotients truncate toward zero, so a point less than one cell left
  // of or above the grid's corner still falls in column or row 0.
  bool CellAt(int x, int y, int* column, int* row) const;
  // Whether the cell of the part the map shows is a scene of the world;
  // without a map every cell is.
  bool LeadsSomewhere(int column, int row) const;

  int GetMode() const { return mMode; }
  int GetChosenColumn() const { return mChosenColumn; }
  int GetChosenRow() const { return mChosenRow; }
  TImage* GetSelection() const { return mSelection; }
  GButton* GetButton() const { return mButton; }

 private:
  void RecordPointer();

  TImage* mSelection = nullptr;  // owned
  GButton* mButton = nullptr;    // owned
  int mGridX = 0, mGridY = 0, mCellW = 0, mCellH = 0, mColumns = 0, mRows = 0;
  int mPointerX = -10, mPointerY = 0;
  GVethraMap* mMap = nullptr;
  int mChosenColumn = 0, mChosenRow = 0;
  int mMode = kChoosing;
  LuaNameSet mLuaNames;
};
