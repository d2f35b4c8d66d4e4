#pragma once
// The visual objects one owner draws: kept in depth order (equal depths in
// the order they entered), brought up to date and drawn back to front in one
// 2D pass. Objects are not owned.

#include <cstddef>
#include <map>
#include <set>
#include <vector>

#include "sdk/TMath.h"

class GVObject;
class TModalWindow;

// Closes a 2D pass that this guard's opener began, also when drawing is left
// through an exception.
class End2dGuard {
 public:
  End2dGuard();
  ~End2dGuard();
  bool Opened() const { return mOpened; }

 private:
  bool mOpened;
};

class GVDrawList {
 public:
  GVDrawList();
  ~GVDrawList();
  GVDrawList(const GVDrawList&) = delete;
  GVDrawList& operator=(const GVDrawList&) = delete;

  void Draw();

  // Entering and leaving go through GVObject::AddToDrawList and RemoveFromDrawList.
  void Insert(GVObject* object);
  void Remove(GVObject* object);
  // Puts an object whose depth changed from `oldDepth` behind the objects
  // already at its new depth.
  void Move(GVObject* object, float oldDepth);
  bool Contains(GVObject* object) const { return mMembers.count(object) != 0; }
  // In drawing order.
  std::vector<GVObject*> GetObjects() const;
  size_t Size() const { return mMembers.size(); }

  TRect clip;                    // (0, 0, 800, 600)
  TModalWindow* host = nullptr;  // runs the timer tasks of the objects; null: the platform

 private:
  bool Erase(GVObject* object, float depth);
  std::multimap<float, GVObject*> mObjects;
  std::set<GVObject*> mMembers;
};

// Drawing values that place a picture at `position` with alpha and a uniform scale.
TDrawSpec MakeDrawSpec(const TVec2& position, float alpha, float scale);
// Own drawing values inside outer ones: matrices multiply, alphas multiply, flips combine.
TDrawSpec CombineDrawSpecs(const TDrawSpec& own, const TDrawSpec& outer);
