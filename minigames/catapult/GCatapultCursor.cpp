#include "GCatapultCursor.h"

#include <algorithm>
#include <cmath>

#include "minigames/catapult/GCatapultField.h"
#include "minigames/catapult/GCatapultPanel.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {
const float kRadians = 3.1415927f / 180;
// The only ranges the game gives the catapult's turn and the bucket's tilt.
const float kYawRange = 140, kPitchRange = 70;  // degrees

GVObject* MakeObject(GVDrawList* list, const char* path, float x, float y, float depth) {
  GVObject* object = GVFactory::GetInstance()->CreateInList(list, GCatapultField::kImageFolder, path);
  if (!object) return nullptr;
  object->SetState(kStateNormal, true);
  object->visible = 1;
  object->deltaX = x;
  object->deltaY = y;
  object->deltaZ = depth;
  object->changed = 1;
  return object;
}

float ReadFloat(TXmlNode* node, const char* name) {
  return node->GetAttribute(name).to_float();
}

// With equal bounds the way along an axis is taken as 0.
float Fraction(float value, int low, int high) {
  if (high == low) return 0;
  return (value - float(low)) / (float(high) - float(low));
}
}  // namespace

GCatapultCursor::~GCatapultCursor() {
  delete mCursor;
  delete mCatapult;
  delete mWall;
}

void GCatapultCursor::Load(TXmlNode* node, GCatapultPanel* panel, GVDrawList* list, int x1, int y1, int x2,
                           int y2) {
  if (node) {
    mX = ReadFloat(node, "x");
    mY = ReadFloat(node, "y");
    mMinSpeedX = ReadFloat(node, "min_speed_x");
    mMaxSpeedX = ReadFloat(node, "max_speed_x");
    mDeltaSpeedX = ReadFloat(node, "delta_speed_x");
    mMinSpeedY = ReadFloat(node, "min_speed_y");
    mMaxSpeedY = ReadFloat(node, "max_speed_y");
    mDeltaSpeedY = ReadFloat(node, "delta_speed_y");
  }
  mPitchRange = kPitchRange;
  mYawRange = kYawRange;
  mStartX = mX;
  mStartY = mY;
  mSpeedX = mMinSpeedX;
  mSpeedY = mMinSpeedY;
  delete mCursor;
  delete mWall;
  delete mCatapult;
  mCursor = MakeObject(list, "catapult_cursor", mX, mY, 100);
  mWall = MakeObject(list, "catapult_wall", 10, 480, 1000);
  mCatapult = MakeObject(list, "catapult", 400, 580, 1001);
  mX1 = x1;
  mY1 = y1;
  mX2 = x2;
  mY2 = y2;
  mPanel = panel;
  TurnBucket();
  TurnCatapult();
}

bool GCatapultCursor::Inside(float x, float y) const {
  int ix = CatapultClamp(x), iy = CatapultClamp(y);
  return ix >= mX1 && ix < mX2 && iy >= mY1 && iy < mY2;
}

void GCatapultCursor::Move(int dx, int dy) {
  float& speed = dx ? mSpeedX : mSpeedY;
  const float max = dx ? mMaxSpeedX : mMaxSpeedY;
  const float delta = dx ? mDeltaSpeedX : mDeltaSpeedY;
  // The test uses the speed before it grows, the move the speed after.
  if (!Inside(mX + float(dx) * speed, mY + float(dy) * speed)) return;
  if (max > speed + delta) speed += delta;
  mX += float(dx) * speed;
  mY += float(dy) * speed;
  PlaceMark();
  if (dx)
    TurnCatapult();
  else
    TurnBucket();
}

void GCatapultCursor::MoveUp() {
  Move(0, -1);
}

void GCatapultCursor::MoveDown() {
  Move(0, 1);
}

void GCatapultCursor::MoveLeft() {
  Move(-1, 0);
}

void GCatapultCursor::MoveRight() {
  Move(1, 0);
}

void GCatapultCursor::Kick() {
  if (mCatapult) mCatapult->SetState(TState::FromCStr("kick"), true);
}

float GCatapultCursor::Pitch(float y) const {
  return -(Fraction(y, mY1, mY2) * mPitchRange + 10);
}

float GCatapultCursor::Yaw(float x) const {
  return Fraction(x, mX1, mX2) * mYawRange - mYawRange / 2;
}

void GCatapultCursor::TurnBucket() {
  if (mPanel) mPanel->SetBucketAngle(Pitch(mY) * kRadians);
}

void GCatapultCursor::TurnCatapult() {
  if (mPanel) mPanel->SetCatapultAngle(Yaw(mX) * kRadians);
}

void GCatapultCursor::PlaceMark() {
  if (!mCursor) return;
  mCursor->deltaX = mX;
  mCursor->deltaY = mY;
  mCursor->changed = 1;
}

void GCatapultCursor::Save(TXmlNode* node) const {
  node->SetAttribute("x", str::format("%f", mX));
  node->SetAttribute("y", str::format("%f", mY));
  node->SetAttribute("r", str::format("%f", mYawRange));
  node->SetAttribute("p", str::format("%f", mPitchRange));
  node->SetAttribute("dx", str::format("%f", mSpeedX));
  node->SetAttribute("dy", str::format("%f", mSpeedY));
}

float GCatapultCursor::HoldAxis(const char* what, float value, int low, int high, float delta,
                                float start) const {
  const float slack = std::fabs(delta);
  if (std::isfinite(value) &&
      (value == start || (low < high && float(low) - slack <= value && value <= float(high) + slack)))
    return value;
  // Brought to the nearest place inside; with no room to move, to the start.
  float held = low < high ? std::max(float(low), std::min(value, float(high) - 1)) : start;
  if (std::isnan(held)) held = start;
  Report("minigame_registry: catapult %s %g lies outside the aim's %d..%d; %g taken", what, double(value),
         low, high, double(held));
  return held;
}

float GCatapultCursor::HoldX(const char* what, float x) const {
  return HoldAxis(what, x, mX1, mX2, mDeltaSpeedX, mStartX);
}

float GCatapultCursor::HoldY(const char* what, float y) const {
  return HoldAxis(what, y, mY1, mY2, mDeltaSpeedY, mStartY);
}

void GCatapultCursor::Restore(TXmlNode* node) {
  if (!node) return;
  mX = HoldX("cursor \"x\"", ReadFloat(node, "x"));
  mY = HoldY("cursor \"y\"", ReadFloat(node, "y"));
  mYawRange = CatapultHold("cursor \"r\"", ReadFloat(node, "r"), kYawRange, kYawRange, kYawRange);
  mPitchRange = CatapultHold("cursor \"p\"", ReadFloat(node, "p"), kPitchRange, kPitchRange, kPitchRange);
  // A speed starts at its minimum and grows, below its maximum.
  mSpeedX = CatapultHold("cursor \"dx\"", ReadFloat(node, "dx"), std::min(mMinSpeedX, mMaxSpeedX),
                         std::max(mMinSpeedX, mMaxSpeedX), mMinSpeedX);
  mSpeedY = CatapultHold("cursor \"dy\"", ReadFloat(node, "dy"), std::min(mMinSpeedY, mMaxSpeedY),
                         std::max(mMinSpeedY, mMaxSpeedY), mMinSpeedY);
  TurnBucket();
  TurnCatapult();
  PlaceMark();
}
