#pragma once
// A full-screen window that shows at most one item in front of a scene. It
// owns the item it holds.

#include "sdk/TWindow.h"

class IItem;

class GFrontItemHolder : public TWindow {
  TWINDOW_CLASS(GFrontItemHolder, TWindow)
 public:
  GFrontItemHolder();
  ~GFrontItemHolder() override;
  void PostDraw() override;

  // Null when empty; owned.
  IItem* mItem = nullptr;
};
