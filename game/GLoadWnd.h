#pragma once
// The load window ("LoadWindow"): lists the current player's saved games,
// autosave and quick save included, and loads the one chosen, into the
// running game from the local menu (modal "load") or, from the title
// (modal "loadmenu", in a sliding panel), by starting a game from it.

#include <cstdint>
#include <vector>

#include "game/GSlotColumn.h"
#include "sdk/TWindow.h"

class GSlidingPanel;
class TText;

class GLoadWnd : public TWindow {
  TWINDOW_CLASS(GLoadWnd, TWindow)
 public:
  GLoadWnd() = default;

  void PostChildrenInit(TWindowStyle& style) override;
  bool OnTaskAnimate() override;
  bool OnMessage(const TMessage& message) override;

  // Shows the entries from first on and names the selected one.
  void Refresh();
  // Loads the selected entry's slot: into the game this window was opened
  // over, or by starting the game from the title.
  void LoadSelected();

  const GSlotColumn& GetColumn() const { return mColumn; }
  const std::vector<int32_t>& GetSlots() const { return mSlots; }
  GSlidingPanel* GetPanel() const { return mPanel; }

 private:
  GSlotColumn mColumn{"load%d"};
  int32_t mEntryCount = 0;
  std::vector<int32_t> mSlots;  // the save slot of each entry
  TText* mSelectedLabel = nullptr;
  GSlidingPanel* mPanel = nullptr;
};
