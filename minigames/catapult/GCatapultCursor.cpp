#include "GCatapultCursor.h"

#include "minigames/catapult/GCatapultField.h"
#include "minigames/catapult/GCatapultPanel.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {
const float kRadians = 3.1415927f / 180;

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
  mPitchRange = 70;
  mYawRange = 140;
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

void GCatapultCursor::Restore(TXmlNode* node) {
  if (!node) return;
  mX = ReadFloat(node, "x");
  mY = ReadFloat(node, "y");
  mYawRange = ReadFloat(node, "r");
  mPitchRange = ReadFloat(node, "p");
  mSpeedX = ReadFloat(node, "dx");
  mSpeedY = ReadFloat(node, "dy");
  TurnBucket();
  TurnCatapult();
  PlaceMark();
}
