#include "OActionMask.h"

#include "GMasksManager.h"
#include "GMousePointer.h"
#include "rules/actions/IAction.h"

namespace {
void SetPointerSceneMode(int mode) {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(mode);
}
}  // namespace

OActionMask::OActionMask(const str& name, TImage* image, const str& captionKey, GMasksManager* manager,
                         IAction* action, bool allowItem, int pointerMode)
    : OSimpleMask(name, image, captionKey, manager),
      mAction(action),
      mAllowItem(allowItem),
      mPointerMode(pointerMode) {}

OActionMask::~OActionMask() {
  delete mAction;
}

void OActionMask::OnEnter(const TPoint& point) {
  if (mManager) mManager->SetCaptionKey(mCaptionKey);
  SetPointerSceneMode(mPointerMode);
}

void OActionMask::OnLeave() {
  SetPointerSceneMode(0);
  if (mManager) mManager->SetCaptionKey(str());
}

bool OActionMask::OnClick() {
  GMousePointer* pointer = GMousePointer::PeekInstance();
  bool holding = pointer && pointer->GetHeldItem();
  if ((mAllowItem || !holding) && mAction) mAction->Execute();
  return true;
}
