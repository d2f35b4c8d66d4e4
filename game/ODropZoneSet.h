#pragma once
// The drop zones of one scene. Drop zones come later; until then every set
// is empty: it takes no click and no item, draws nothing and has nothing to
// start or release, so scenes can already be written against it.

#include "sdk/TMath.h"

class GMasksManager;
class IItem;
class OItemsManager;

class ODropZoneSet {
 public:
  ODropZoneSet(GMasksManager* masks, OItemsManager* items) : mMasks(masks), mItems(items) {}
  bool IsEmpty() const { return true; }
  bool CanPlace(IItem* item) { return false; }
  bool Put(IItem* item) { return false; }
  bool HitItems(const TPoint& point) { return false; }
  bool OnClick(const TPoint& point) { return false; }
  bool UpdateHover(const TPoint& point) { return false; }
  void OnSceneStart() {}
  void ReleaseMasks() {}
  void ReleaseSceneLinks() {}
  void DrawItems() {}

 private:
  GMasksManager* mMasks;
  OItemsManager* mItems;
};
