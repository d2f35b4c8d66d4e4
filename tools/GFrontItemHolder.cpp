#include "GFrontItemHolder.h"

// The item classes arrive with the items; until then no item can be held.
#if __has_include("items/IItem.h")
#include "items/IItem.h"
#define TOLVANE_HAS_ITEMS 1
#endif

GFrontItemHolder::GFrontItemHolder() {
  SetWindowSize(800, 600);
}

GFrontItemHolder::~GFrontItemHolder() {
#ifdef TOLVANE_HAS_ITEMS
  delete mItem;
#endif
  mItem = nullptr;
}

void GFrontItemHolder::PostDraw() {
#ifdef TOLVANE_HAS_ITEMS
  if (mItem) mItem->Draw();
#endif
}
