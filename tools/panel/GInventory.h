#pragma once
// A strip of inventory cells on the game panel. It owns all its cells but
// shows only a window of consecutive ones, from the first cell, at the
// positions its configuration gives; the panel scrolls that window. The
// cells draw nothing themselves: the inventory draws the items of the shown
// cells over them.

#include <functional>
#include <vector>

#include "sdk/TWindow.h"

class GInventoryCell;
class IItem;
class IItemsManager;
class TWindowStyle;
class TXmlNode;

class GInventory : public TWindow {
  TWINDOW_CLASS(GInventory, TWindow)
 public:
  GInventory();
  ~GInventory() override;

  void PostDraw() override;

  // Builds the cells and positions from the element's "cells" (null: the
  // game_screen element "inventory") and lays them out.
  virtual void LoadCells(TWindowStyle& style, TXmlNode* node);
  // Whether any cell holds an item of that name.
  virtual bool ContainsItem(const str& name);

  // Shows the cells from the first cell on at the positions; only cells
  // that exist are shown.
  void LayOut();
  // Whether a shown cell's rectangle (screen) holds the point.
  bool IsOverCell(const TPoint& point) const;
  void SetDisabled(bool disabled);
  bool IsDisabled() const { return mDisabled; }
  void Tick();
  void SetItemsManager(IItemsManager* manager);
  // Every stored item forgets its scene mask.
  void RefreshItems();
  // Every cell emptied, its item deleted; no record is touched.
  void DeleteItems();
  // What the strip takes from the hand: any item that can be stored, or,
  // with a test, only the items it passes. A game's own strip, emptied as
  // the game goes, takes only its pieces: nothing of the player's is lost
  // with it.
  typedef std::function<bool(IItem*)> ItemTest;
  void SetAccepts(const ItemTest& test) { mAccepts = test; }
  bool Accepts(IItem* item) const;

  int GetFirstCell() const { return mFirstCell; }
  // Stored as given; the caller lays out again.
  void SetFirstCell(int first) { mFirstCell = first; }
  // The largest first cell that still fills every position (0 when the
  // cells do not fill them).
  int GetLastFirstCell() const;
  int GetTotalCells() const { return int(mCells.size()); }
  int GetVisibleCount() const { return int(mPositions.size()); }
  const std::vector<GInventoryCell*>& GetCells() const { return mCells; }
  // Null outside the cells.
  GInventoryCell* GetCell(int index) const;
  const std::vector<TPoint>& GetPositions() const { return mPositions; }

 private:
  void DeleteCells();

  std::vector<GInventoryCell*> mCells;  // owned
  std::vector<TPoint> mPositions;
  int mFirstCell = 0;
  bool mDisabled = false;
  ItemTest mAccepts;
};
