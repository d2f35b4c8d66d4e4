#include "ODropZoneSet.h"

#include "game/ODropZone.h"
#include "items/OItemsManager.h"
#include "sdk/TXmlNode.h"

ODropZoneSet::~ODropZoneSet() {
  for (ODropZone* zone : mZones) delete zone;
}

void ODropZoneSet::AddZone(ODropZone* zone) {
  if (zone) mZones.push_back(zone);
}

void ODropZoneSet::AddZonesFromXml(TXmlNode* list) {
  if (!list) return;
  for (size_t i = 0; i < list->GetChildCount(); ++i) {
    TXmlNode* child = list->GetChildAt(i);
    AddZone(ODropZone::CreateFromXml(child->GetAttribute("name"), mItems,
                                     child->GetAttribute("draw_items") != "false"));
  }
}

TPoint ODropZoneSet::SamplePoint(const TPoint& point, int i) {
  if (i <= 0) return point;
  // Rings at 2, 4 and 6 pixels, four diagonal points each.
  static const int kSigns[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
  float d = float(2 * ((i - 1) / 4 + 1));
  const int* sign = kSigns[(i - 1) % 4];
  return TPoint(point.x + sign[0] * d, point.y + sign[1] * d);
}

bool ODropZoneSet::CanPlace(IItem* item) {
  for (ODropZone* zone : mZones)
    if (zone->CanPlace(item)) return true;
  return false;
}

bool ODropZoneSet::Put(IItem* item) {
  for (ODropZone* zone : mZones)
    if (zone->Put(item)) return true;
  return false;
}

bool ODropZoneSet::HitItems(const TPoint& point) {
  for (int i = 0; i < kSamplePoints; ++i)
    for (ODropZone* zone : mZones)
      if (zone->HitItems(SamplePoint(point, i))) return true;
  return false;
}

bool ODropZoneSet::OnClick(const TPoint& point) {
  for (int i = 0; i < kSamplePoints; ++i)
    for (ODropZone* zone : mZones)
      if (zone->OnClick(SamplePoint(point, i))) return true;
  return false;
}

bool ODropZoneSet::UpdateHover(const TPoint& point) {
  for (int i = 0; i < kSamplePoints; ++i) {
    TPoint sample = SamplePoint(point, i);
    bool hovered = false;
    for (ODropZone* zone : mZones) {
      zone->UpdateHover(sample);
      if (zone->GetHoveredItem()) hovered = true;
    }
    if (hovered) return true;
  }
  return false;
}

void ODropZoneSet::OnSceneStart() {
  for (ODropZone* zone : mZones) zone->OnSceneStart();
}

void ODropZoneSet::ReleaseMasks() {
  for (ODropZone* zone : mZones) zone->ReleaseMask();
}

void ODropZoneSet::ReleaseSceneLinks() {
  for (ODropZone* zone : mZones) zone->ReleaseSceneLinks();
}

void ODropZoneSet::DrawItems() {
  for (ODropZone* zone : mZones) zone->Draw();
}
