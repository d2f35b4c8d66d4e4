#pragma once
// The aiming mark of the catapult game and the two objects on the shore
// (the wall and the catapult). The mark moves inside a rectangle, faster
// the longer it is steered; the aiming panel's catapult turns with its x,
// the bucket tilts with its y.

class GCatapultPanel;
class GVDrawList;
class GVObject;
class TXmlNode;

class GCatapultCursor {
 public:
  GCatapultCursor() = default;
  virtual ~GCatapultCursor();
  GCatapultCursor(const GCatapultCursor&) = delete;
  GCatapultCursor& operator=(const GCatapultCursor&) = delete;

  // The panel may be null.
  void Load(TXmlNode* node, GCatapultPanel* panel, GVDrawList* list, int x1, int y1, int x2, int y2);
  void MoveUp();
  void MoveDown();
  void MoveLeft();
  void MoveRight();
  void Kick();
  void ResetSpeedX() { mSpeedX = mMinSpeedX; }
  void ResetSpeedY() { mSpeedY = mMinSpeedY; }
  void Save(TXmlNode* node) const;
  void Restore(TXmlNode* node);

  // A saved aim (or a target taken from it) held to where the aim can rest:
  // inside the bounds, at most one acceleration step past them, or where the
  // content starts it. Elsewhere it is reported and brought inside.
  float HoldX(const char* what, float x) const;
  float HoldY(const char* what, float y) const;

  // Degrees: the bucket's tilt for a y, the catapult's turn for an x.
  float Pitch(float y) const;
  float Yaw(float x) const;

  float GetX() const { return mX; }
  float GetY() const { return mY; }
  float GetSpeedX() const { return mSpeedX; }
  float GetSpeedY() const { return mSpeedY; }
  GVObject* GetCursorObject() const { return mCursor; }
  GVObject* GetCatapultObject() const { return mCatapult; }

 private:
  // Moves by (dx, dy) speeds' worth when the test point (before the speed
  // grows) is inside the bounds.
  void Move(int dx, int dy);
  bool Inside(float x, float y) const;
  void TurnBucket();
  void TurnCatapult();
  void PlaceMark();
  float HoldAxis(const char* what, float value, int low, int high, float delta, float start) const;

  GVObject* mCursor = nullptr;    // owned
  GVObject* mCatapult = nullptr;  // owned
  GVObject* mWall = nullptr;      // owned
  GCatapultPanel* mPanel = nullptr;
  int mX1 = 0, mY1 = 0, mX2 = 0, mY2 = 0;
  float mX = 0, mY = 0;
  float mStartX = 0, mStartY = 0;  // as the content places the aim
  float mMinSpeedX = 0, mMaxSpeedX = 0, mDeltaSpeedX = 0;
  float mMinSpeedY = 0, mMaxSpeedY = 0, mDeltaSpeedY = 0;
  float mSpeedX = 0, mSpeedY = 0;
  float mPitchRange = 70;  // degrees
  float mYawRange = 140;   // degrees
};
