#include "GFrontItemHolder.h"

#include "items/IItem.h"

GFrontItemHolder::GFrontItemHolder() {
  SetWindowSize(800, 600);
}

GFrontItemHolder::~GFrontItemHolder() {
  delete mItem;
  mItem = nullptr;
}

void GFrontItemHolder::PostDraw() {
  if (mItem) mItem->Draw();
}
