#pragma once
// The mask through which the pointer reaches the items lying in a scene's
// drop zones. It is first in the masks manager's list, so items in a zone
// catch the pointer before whatever mask lies beneath them.

#include "game/IMask.h"

class ODropZoneSet;

class ODropZonesMask : public IMask {
 public:
  // The set is the scene's; it outlives the mask's use.
  explicit ODropZonesMask(ODropZoneSet* zones) : IMask("drop_zone_mask"), mZones(zones) {}

  bool IsActive() override;
  bool HitTest(const TPoint& point) override;
  void OnEnter(const TPoint& point) override;
  void OnMove(const TPoint& point) override;
  void OnLeave() override;
  bool OnClick() override;

 private:
  ODropZoneSet* mZones;  // not owned
};
