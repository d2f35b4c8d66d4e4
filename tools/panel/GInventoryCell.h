#pragma once
// One place of an inventory strip. It holds at most one item (owned) and is
// where the player stores the item in hand, takes the stored one back,
// swaps the two, or uses the one in hand on the stored one. The item's
// caption shows while the mouse rests over an occupied cell.

#include "sdk/TWindow.h"

class GInventory;
class IItem;
class IItemsManager;

class GInventoryCell : public TWindow {
  TWINDOW_CLASS(GInventoryCell, TWindow)
 public:
  GInventoryCell() = default;
  GInventoryCell(int width, int height, int index, GInventory* inventory);
  ~GInventoryCell() override;

  bool OnExtendedMouseEvent(const TPoint& local, int event) override;
  bool OnMouseUp(const TPoint& local) override;
  bool OnMouseMove(const TPoint& local) override;
  void OnMouseLeave() override;

  // Moves the cell and the stored item's visual to the point (the parent's
  // coordinates, which for an inventory are the screen's).
  virtual void MoveTo(const TPoint& point);
  virtual void MoveTo(int x, int y);
  // One tick: the item's own update, then the hover caption.
  virtual void Tick();
  // Stores the item in an empty cell; false when the cell is taken.
  virtual bool PutItem(IItem* item);

  void SetItemsManager(IItemsManager* manager);
  // The item in hand used on the stored one at the point (cell
  // coordinates); true when something happened.
  bool UseHeldItem(const TPoint& point);

  IItem* GetItem() const { return mItem; }
  // Forgets the item without deleting it.
  IItem* TakeItem();
  // Deletes the stored item, if any, and empties the cell.
  void DeleteItem();
  void SetDisabled(bool disabled) { mDisabled = disabled; }
  bool IsDisabled() const { return mDisabled; }
  bool IsHovered() const { return mHovered; }
  int GetIndex() const { return mIndex; }
  GInventory* GetInventory() const { return mInventory; }
  IItemsManager* GetItemsManager() const { return mItemsManager; }

 protected:
  // False while the cell is disabled, the scene shows a front item or does
  // not allow the cell, or the player sleeps: then no button acts on it.
  bool AcceptsClicks() const;
  // Whether the held item may be stored here: as its strip decides.
  bool Accepts(IItem* held) const;
  // The stored item's visual at the cell's top-left corner.
  void PlaceItem();
  // The cell's item becomes `item` (not deleted: the caller has dealt with
  // the old one) and shows its caption.
  void Hold(IItem* item);

  int mWidth = 0;
  int mHeight = 0;
  IItem* mItem = nullptr;                  // owned
  IItemsManager* mItemsManager = nullptr;  // not owned
  TPoint mHoverPoint = TPoint(-10, -10);   // cell coordinates
  TRect mRect;                             // (0, 0, width, height)
  bool mHovered = false;
  bool mDisabled = false;
  int mIndex = 0;
  GInventory* mInventory = nullptr;  // not owned
};
