#include "GInteractiveButton.h"

#include "GButton.h"
#include "LuaUtils.h"
#include "sdk/TImage.h"

GInteractiveButton::~GInteractiveButton() {
  // The two children are owned here, not by the tree: take them out first.
  for (TWindow* w : {static_cast<TWindow*>(mButton), static_cast<TWindow*>(mDisabledImage)})
    if (w && w->GetParent()) w->GetParent()->OrphanChild(w);
  delete mButton;
  delete mDisabledImage;
}

void GInteractiveButton::PostChildrenInit(TWindowStyle& style) {
  TWindow::PostChildrenInit(style);
  mButton = WindowCast<GButton>(GetChildWindow("button", -1));
  mDisabledImage = WindowCast<TImage>(GetChildWindow("disabled_image", -1));
  mEnabled = true;
  SetEnabled(false);
}

void GInteractiveButton::SetEnabled(bool enabled) {
  mEnabled = enabled;
  if (mButton && mButton->GetParent()) {
    // A highlighted button drops its highlight before it leaves the tree.
    mButton->OnMouseLeave();
    mButton->GetParent()->OrphanChild(mButton);
  }
  if (mDisabledImage && mDisabledImage->GetParent()) mDisabledImage->GetParent()->OrphanChild(mDisabledImage);
  // A missing child leaves the window showing nothing in that state.
  TWindow* shown = enabled ? static_cast<TWindow*>(mButton) : static_cast<TWindow*>(mDisabledImage);
  if (shown) AdoptChild(shown, true);
}
