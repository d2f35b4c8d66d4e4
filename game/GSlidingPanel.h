#pragma once
// A window that slides along the positions its style lists ("pos_anim"),
// one position a tick: in from the first to the last, out the other way.
// The menus drive their panels with StartSlide and Step.

#include <cstdint>
#include <vector>

#include "sdk/TWindow.h"

class GSlidingPanel : public TWindow {
  TWINDOW_CLASS(GSlidingPanel, TWindow)
 public:
  enum { kRestIn = 0, kSlidingIn = 1, kSlidingOut = 2, kRestOut = 3 };
  struct Position {
    int32_t x;
    int32_t y;
  };

  GSlidingPanel() = default;
  void Init(TWindowStyle& style) override;

  void StartSlide(int mode);
  void Step();
  // A menu's tick for its panel: one step, and once the panel has slid out
  // the modal window `modal` is popped and the panel forgotten (null).
  static void StepMenuPanel(GSlidingPanel*& panel, const char* modal);
  // A menu closing: its panel slides out (StepMenuPanel then pops the
  // modal), or without a panel the modal window `modal` is popped at once.
  static void CloseMenu(GSlidingPanel* panel, const char* modal);

  int GetMode() const { return mMode; }
  const std::vector<Position>& GetPositions() const { return mPositions; }
  void SetPositions(const std::vector<Position>& positions) { mPositions = positions; }

 private:
  void MoveTo(size_t index);
  std::vector<Position> mPositions;
  int32_t mMode = kRestIn;
  uint32_t mStep = 0;
};
