#pragma once
// The window that shows what is in the alchemical device: a background with a
// row of cells, one item each, and the liquid drawn over them. It slides in
// along a configured path when something is put in and slides out when the
// device is emptied or brews. Its cells fade their items in and out and let
// the player take an item back. The device scene owns the window; the device
// item drives it.

#include <utility>
#include <vector>

#include "sdk/TWindow.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVDrawList.h"

class GAlchemicalDevicePanel;
class GVObject;
class IItem;
class TImage;
class TXmlNode;

// One cell of the panel: an inventory cell, so hovering its item shows the
// caption and the item pointer as the panel's and the shelf's do. Its item is
// drawn at the cell's top-left corner and fades in and out.
class GAlchemicalDeviceCell : public GInventoryCell {
 public:
  // Cell states: an item fades in (filling) and out (emptying) over
  // kFadeTicks ticks.
  enum { kEmpty = 0, kFilling = 1, kFull = 2, kEmptying = 3, kEmptied = 4 };
  enum { kFadeTicks = 10 };

  GAlchemicalDeviceCell(GAlchemicalDevicePanel* panel, int width, int height, int index);

  void PostDraw() override;
  // Gives the item back to an empty hand; always false.
  bool OnMouseUp(const TPoint& local) override;
  // The right button takes nothing here: an item leaves the device only
  // whole, unlocked and through the left button, so the cells stay compact.
  bool OnExtendedMouseEvent(const TPoint& local, int event) override;

  // Only while the panel is shown.
  void Tick() override;
  // Into an empty cell: the item fades in. False when the cell holds one.
  bool PutItem(IItem* item) override;
  // The same, shown at once.
  bool PutItemFull(IItem* item);

  // Forgets the item without touching it, leaving the cell state as it is.
  void ForgetItem() { TakeItem(); }
  int GetCellState() const { return mCellState; }
  // The state with its counter from 0.
  void SetCellState(int state);
  int GetCounter() const { return mCounter; }

 private:
  bool Take(IItem* item, int state);
  void SetItemAlpha(float alpha, bool visible);

  GAlchemicalDevicePanel* mPanel;
  int mCellState = kEmpty;
  int mCounter = 0;
};

class GAlchemicalDevicePanel : public TWindow {
 public:
  enum { kSlidingIn = 0, kShown = 1, kSlidingOut = 2, kHidden = 3 };

  GAlchemicalDevicePanel();
  ~GAlchemicalDevicePanel() override;

  // Builds the background, path and cells from `node`, by default the
  // game_screen child "alchmical_device_inventory"; hidden at the first
  // point of the path.
  void Fill(TXmlNode* node = nullptr);
  // Placed at the first point of the path (sliding in, hidden) or the last
  // (shown, sliding out), counter 0.
  void SetSlideState(int state);
  int GetSlideState() const { return mSlideState; }
  void Update();

  // The liquid's object from `folder` and the description `objectName`,
  // placed at (x, y) in the panel. False, changing nothing, while a liquid is
  // in. SetLiquid leaves it hidden until the shown panel fills it on its
  // next tick; SetBoilingLiquid (restored contents) shows it boiling.
  bool SetLiquid(const str& name, const str& objectName, const str& folder, int x, int y);
  bool SetBoilingLiquid(const str& name, const str& objectName, const str& folder, int x, int y);
  const str& GetLiquidName() const { return mLiquidName; }
  // A liquid whose object could not be made is in all the same.
  bool HasLiquid() const { return mLiquid || !mLiquidName.empty(); }
  GVObject* GetLiquidObject() const { return mLiquid; }

  bool HasEmptyCell() const;
  // The names of the items in the cells, in cell order, empty cells skipped.
  std::vector<str> GetItemNames() const;
  // Into the first empty cell, fading in (PutItem) or shown (PutItemFull);
  // false when every cell holds an item.
  bool PutItem(IItem* item);
  bool PutItemFull(IItem* item);

  // The listed cells fade their items out.
  void StartEmptying(const std::vector<int>& cells);
  // The items of the listed cells go back to their scenes, then the cells
  // are compacted.
  void RemoveListedItems(const std::vector<int>& cells);
  // Every item goes back to its scene and the liquid is poured away.
  void ClearAll();
  // Moves the items towards the first cell until no cell is followed by a
  // fuller one; an empty panel without liquid then slides out.
  void CompactCells();

  void SetLockedItems(const std::vector<str>& names) { mLockedItems = names; }
  // Every item is locked while the scene is paused.
  bool IsItemLocked(const str& name) const;
  void SetPaused(bool paused) { mPaused = paused; }
  bool IsPaused() const { return mPaused; }

  const std::vector<GAlchemicalDeviceCell*>& GetCells() const { return mCells; }
  GAlchemicalDeviceCell* GetCell(int index) const;
  int GetWaitBeforeShow() const { return mWaitBeforeShow; }
  int GetSlideCounter() const { return mSlideCounter; }
  size_t GetPathSize() const { return mPath.size(); }

  // Takes an item out of the device for good: it goes back to its scene
  // quietly, and stays in the scene on screen when it belongs there;
  // otherwise it is deleted and its scene makes it again.
  static void ReturnItemToScene(IItem* item);

  void PostDraw() override;

 private:
  bool MakeLiquid(const str& name, const str& objectName, const str& folder, int x, int y);
  void PlaceAt(int pathIndex);
  void DeleteLiquid();

  int mWaitBeforeShow = 0;
  std::vector<GAlchemicalDeviceCell*> mCells;  // children of the panel
  TImage* mBackground = nullptr;               // a child of the panel
  std::vector<std::pair<int, int>> mPath;      // screen pixels
  int mSlideState = kHidden;
  int mSlideCounter = 0;
  GVObject* mLiquid = nullptr;  // owned
  GVDrawList mLiquidList;
  str mLiquidName;
  std::vector<str> mLockedItems;
  bool mPaused = false;
};
