#include "ODropZonesMask.h"

#include "game/GMasksManager.h"
#include "game/GMousePointer.h"
#include "game/ODropZoneSet.h"
#include "game/OMousePointerManager.h"

bool ODropZonesMask::IsActive() {
  return mZones && !mZones->IsEmpty();
}

bool ODropZonesMask::HitTest(const TPoint& point) {
  return IsActive() && mZones->HitItems(point);
}

void ODropZonesMask::OnEnter(const TPoint& point) {
  if (mZones) mZones->UpdateHover(point);
}

void ODropZonesMask::OnMove(const TPoint& point) {
  if (mZones) mZones->UpdateHover(point);
}

void ODropZonesMask::OnLeave() {
  // A point off the screen, so every zone lets its hovered item go.
  if (mZones) mZones->UpdateHover(TPoint(-10, 10));
}

bool ODropZonesMask::OnClick() {
  if (!mZones) return false;
  TPoint point;
  GMousePointer* pointer = GMousePointer::PeekInstance();
  if (pointer && pointer->GetManager())
    point = TPoint(float(pointer->GetManager()->GetX()), float(pointer->GetManager()->GetY()));
  else if (GMasksManager* masks = mZones->GetMasksManager())
    point = masks->GetLastPointerPosition();
  return mZones->OnClick(point);
}
