#pragma once
// The drop zones of one scene, in the order the scene lists them; every
// search goes through them in that order. The pointer reaches their items at
// the point itself or at one of twelve diagonal neighbours, so small items
// are easy to pick up.

#include <vector>

#include "sdk/TMath.h"

class GMasksManager;
class IItem;
class OItemsManager;
class ODropZone;
class TXmlNode;

class ODropZoneSet {
 public:
  enum { kSamplePoints = 13 };

  ODropZoneSet(GMasksManager* masks, OItemsManager* items) : mMasks(masks), mItems(items) {}
  ~ODropZoneSet();
  ODropZoneSet(const ODropZoneSet&) = delete;
  ODropZoneSet& operator=(const ODropZoneSet&) = delete;

  // Takes the zone over; null is ignored.
  void AddZone(ODropZone* zone);
  // One zone per child of a scene state's "drop_zones" ("name", and
  // "draw_items" false only when it says "false"), made for the scene's
  // items manager.
  void AddZonesFromXml(TXmlNode* list);

  bool IsEmpty() const { return mZones.empty(); }
  bool CanPlace(IItem* item);
  bool Put(IItem* item);
  bool HitItems(const TPoint& point);
  bool OnClick(const TPoint& point);
  bool UpdateHover(const TPoint& point);
  void OnSceneStart();
  void ReleaseMasks();
  void ReleaseSceneLinks();
  void DrawItems();

  // The i-th of the points tried around `point`, 0 being the point itself.
  static TPoint SamplePoint(const TPoint& point, int i);

  const std::vector<ODropZone*>& GetZones() const { return mZones; }
  GMasksManager* GetMasksManager() const { return mMasks; }
  OItemsManager* GetItemsManager() const { return mItems; }

 private:
  GMasksManager* mMasks;  // not owned
  OItemsManager* mItems;  // not owned
  std::vector<ODropZone*> mZones;
};
