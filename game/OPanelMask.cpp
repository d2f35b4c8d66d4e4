#include "OPanelMask.h"

#include "GMasksManager.h"
#include "GMousePointer.h"

namespace {
// The scene mode the pointer shows over the panel: a border.
const int kPanelSceneMode = 7;
}  // namespace

void OPanelMask::OnEnter(const TPoint& point) {
  if (mManager) mManager->SetCaptionKey(str());
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(kPanelSceneMode);
}

void OPanelMask::OnLeave() {
  if (mManager) mManager->SetCaptionKey(str());
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
}
