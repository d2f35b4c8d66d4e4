#pragma once
// The sea of the catapult game: the straight paths ships sail from the far
// edge (y "top") to the near edge (y "bottom"), the ship types that sail
// them, and a ship, which grows, turns opaque and speeds up as it comes
// closer, stops when a stone hits it and leaves when its "destroy" run ends.

#include "sdk/str.h"
#include "visual/GVObject.h"

class GCatapultField;
class TXmlNode;

// Whole-number arithmetic on content numbers: no overflow, NaN taken as 0.
int CatapultClamp(double value);

// A saved number the game cannot have reached (outside low..high, or not a
// number at all) is reported in one line naming `what` and replaced: a
// whole number by the nearest bound, a float by `instead`.
int CatapultHold(const str& what, int value, int low, int high);
float CatapultHold(const str& what, float value, float low, float high, float instead);

class GCatapultPath {
 public:
  bool Load(TXmlNode* node);
  // The saved per-path counter.
  void LoadShips(TXmlNode* node);
  const str& GetId() const { return mId; }
  // A launch on the path, and a removal of one of its destroyed ships, make
  // the next ship faster, down to min_time.
  void ShortenTravel();

  str mId;
  int mCenter = 0;
  int mStart = 0;
  int mFinish = 0;
  int mTravelTime = 0;  // progress needed to cross the sea
  int mTimeDelta = 0;
  int mMinTime = 0;
  int mShips = 0;  // launched and not yet removed
};

struct GCatapultShipType {
  int center = 0;
  int speed = 0;  // progress per tick at the launch
  str visual;     // object path under the catapult's animation folder
};

class GCatapultShip : public GVListener {
 public:
  ~GCatapultShip() override;

  // Places the ship at the start of its path (or `progress` into it) with a
  // new visual; always true.
  bool Launch(GCatapultPath* path, float progress, const GCatapultShipType& type, GCatapultField* field);
  // One tick of motion; a hit ship stays where it was hit.
  void Advance();
  void SetLook(float depth, float scale, float alpha);
  // The drawn ship's rectangle, centred on the ship's position.
  GVRectF GetBounds() const;
  // Whether the point lies on the ship's "mask".
  bool HitTest(float x, float y) const;
  void Hit();
  void OnStateEnd(GVObject* object, TState state) override;
  void Save(TXmlNode* node) const;
  void Load(TXmlNode* node);

  // Whether the ship has reached the near edge.
  bool IsAshore() const { return mTravelTime <= mProgress; }
  GVObject* GetVisual() const { return mVisual; }
  GCatapultPath* GetPath() const { return mPath; }

  float mX = 0, mY = 0;
  float mScale = 0;
  float mDepth = 0;  // 0 at the far edge to 100 at the near edge
  float mStart = 0, mTop = 0, mFinish = 0, mBottom = 0;
  bool mDestroyed = false;
  bool mFinished = false;  // kept and saved only
  float mSpeed = 0;
  float mProgress = 0;
  int mTravelTime = 0;
  bool mHit = false;

 private:
  // The place on the path at `fraction` of the way, and its depth.
  void PlaceAt(float fraction);
  // What the saved ship may hold, given what Launch set: its progress below
  // the travel time, its place on its path, its speed as its kind's grows.
  void HoldLoaded(float kindSpeed, const str& savedState);

  GVObject* mVisual = nullptr;  // owned
  GCatapultPath* mPath = nullptr;
};
