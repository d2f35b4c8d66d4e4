#include "GCatapultShip.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "minigames/catapult/GCatapultField.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"

namespace {
const TState& DestroyState() {
  static const TState state = TState::FromCStr("destroy");
  return state;
}

int ReadShipInt(TXmlNode* node, const char* name) {
  return node->GetAttribute(name).to_int();
}

float ReadShipFloat(TXmlNode* node, const char* name) {
  return node->GetAttribute(name).to_float();
}

void Look(GVObject* object, float depth, float scale, float alpha) {
  if (!object) return;
  object->deltaZ = depth;
  object->scaling = scale;
  object->alpha = alpha;
  object->changed = 1;
}
}  // namespace

int CatapultClamp(double value) {
  if (std::isnan(value)) return 0;
  if (value >= double(INT_MAX)) return INT_MAX;
  if (value <= double(INT_MIN)) return INT_MIN;
  return int(value);
}

int CatapultHold(const str& what, int value, int low, int high) {
  if (low <= value && value <= high) return value;
  int held = value < low ? low : high;
  Report("minigame_registry: catapult %s %d lies outside %d..%d; %d taken", what.c_str(), value, low, high,
         held);
  return held;
}

float CatapultHold(const str& what, float value, float low, float high, float instead) {
  if (std::isfinite(value) && low <= value && value <= high) return value;
  Report("minigame_registry: catapult %s %g lies outside %g..%g; %g taken", what.c_str(), double(value),
         double(low), double(high), double(instead));
  return instead;
}

bool GCatapultPath::Load(TXmlNode* node) {
  mId = node->GetAttribute("id");
  mCenter = ReadShipInt(node, "center");
  mTravelTime = ReadShipInt(node, "travel_time");
  mStart = ReadShipInt(node, "start");
  mFinish = ReadShipInt(node, "finish");
  mTimeDelta = ReadShipInt(node, "time_delta");
  mMinTime = ReadShipInt(node, "min_time");
  mShips = 0;
  return true;
}

void GCatapultPath::LoadShips(TXmlNode* node) {
  mShips = ReadShipInt(node, "ships");
}

void GCatapultPath::ShortenTravel() {
  mTravelTime = std::max(mMinTime, CatapultClamp(double(mTravelTime) - double(mTimeDelta)));
}

GCatapultShip::~GCatapultShip() {
  delete mVisual;
}

bool GCatapultShip::Launch(GCatapultPath* path, float progress, const GCatapultShipType& type,
                           GCatapultField* field) {
  delete mVisual;
  mVisual =
      GVFactory::GetInstance()->CreateInList(field->GetDrawList(), GCatapultField::kImageFolder, type.visual);
  if (mVisual) {
    mVisual->SetState(kStateNormal, true);
    mVisual->visible = 1;
    mVisual->changed = 1;
    if (GVObject* main = mVisual->GetChild("main")) main->listener = this;
  } else {
    Report("catapult: ship \"%s\" cannot be made; the ship sails unseen", type.visual.c_str());
  }
  mStart = float(path->mStart);
  mFinish = float(path->mFinish);
  mTop = float(field->GetTop());
  mBottom = float(field->GetBottom());
  mDestroyed = false;
  mHit = false;
  mProgress = progress;
  mTravelTime = path->mTravelTime;
  mDepth = 0;
  mSpeed = float(type.speed);
  mPath = path;
  // A first ship may start at or past its travel time: it is placed at the
  // fractional part of the way (and reaches the shore on its first tick).
  float fraction = mTravelTime == 0 ? 0 : progress / float(mTravelTime);
  PlaceAt(fraction - std::trunc(fraction));
  SetLook(mDepth, std::min(1.f, mDepth * 0.01f + 0.1f), std::min(1.f, mDepth * 0.02f));
  return true;
}

void GCatapultShip::PlaceAt(float fraction) {
  mX = mStart + (mFinish - mStart) * fraction;
  mY = mTop + (mBottom - mTop) * fraction;
  if (mVisual) {
    mVisual->deltaX = mX;
    mVisual->deltaY = mY;
    mVisual->changed = 1;
  }
  mDepth = mBottom == mTop ? 0 : (mY - mTop) / (mBottom - mTop) * 100;
}

void GCatapultShip::Advance() {
  if (mHit) return;
  mProgress += mSpeed;
  if (IsAshore()) {
    if (mVisual) {
      mVisual->visible = 0;
      mVisual->changed = 1;
    }
    return;
  }
  PlaceAt(mTravelTime == 0 ? 0 : mProgress / float(mTravelTime));
  SetLook(mDepth, std::min(1.f, mDepth * 0.01f + 0.1f), std::min(1.f, mDepth * 0.03f));
  mSpeed += mDepth * 0.0001f;
}

void GCatapultShip::SetLook(float depth, float scale, float alpha) {
  mDepth = depth;
  mScale = scale;
  if (!mVisual) return;
  Look(mVisual->GetChild("main"), depth, scale, alpha);
  Look(mVisual->GetChild("mask"), depth, scale, alpha);
}

GVRectF GCatapultShip::GetBounds() const {
  GVObject* main = mVisual ? mVisual->GetChild("main") : nullptr;
  if (!main) return GVRectF{mX, mY, mX, mY};
  // What was last set is what the next frame shows, drawn or not.
  main->UpdateData();
  GVRectF r = main->GetFrameRect(main->GetCurrentFrame());
  float halfW = (r.right - r.left) / 2, halfH = (r.bottom - r.top) / 2;
  return GVRectF{r.left - halfW, r.top - halfH, r.right - halfW, r.bottom - halfH};
}

bool GCatapultShip::HitTest(float x, float y) const {
  GVObject* mask = mVisual ? mVisual->GetChild("mask") : nullptr;
  if (!mask) return false;
  mask->UpdateData();
  return mask->FindObjectAt(-1, TPoint(x, y)) != nullptr;
}

void GCatapultShip::Hit() {
  mHit = true;
  if (mVisual) mVisual->SetState(DestroyState(), true);
}

void GCatapultShip::OnStateEnd(GVObject* object, TState state) {
  if (state != DestroyState()) return;
  if (mVisual) {
    mVisual->visible = 0;
    mVisual->changed = 1;
  }
  mDestroyed = true;
}

void GCatapultShip::Save(TXmlNode* node) const {
  node->SetAttribute("x", str::format("%f", mX));
  node->SetAttribute("y", str::format("%f", mY));
  node->SetAttribute("z", str::format("%f", mDepth));
  node->SetAttribute("s", str::format("%f", mScale));
  node->SetAttribute("destroyed", mDestroyed ? "1" : "0");
  node->SetAttribute("finished", mFinished ? "1" : "0");
  node->SetAttribute("hit", mHit ? "1" : "0");
  node->SetAttribute("speed", str::format("%f", mSpeed));
  node->SetAttribute("ctime", str::format("%f", mProgress));
  node->SetAttribute("path", mPath ? mPath->GetId() : str());
  GVObject* main = mVisual ? mVisual->GetChild("main") : nullptr;
  node->SetAttribute("state", main ? main->GetState().ToStr() : str());
}

void GCatapultShip::Load(TXmlNode* node) {
  const float kindSpeed = mSpeed;
  mX = ReadShipFloat(node, "x");
  mY = ReadShipFloat(node, "y");
  mDepth = ReadShipFloat(node, "z");
  mScale = ReadShipFloat(node, "s");
  mSpeed = ReadShipFloat(node, "speed");
  mProgress = ReadShipFloat(node, "ctime");
  mDestroyed = ReadShipInt(node, "destroyed") == 1;
  mFinished = ReadShipInt(node, "finished") == 1;
  mHit = ReadShipInt(node, "hit") == 1;
  HoldLoaded(kindSpeed, node->GetAttribute("state"));
}

void GCatapultShip::HoldLoaded(float kindSpeed, const str& savedState) {
  const str on = str::format("ship on \"%s\"", mPath ? mPath->GetId().c_str() : "");
  const float travel = float(mTravelTime);
  // A ship at or past its travel time would be ashore at the first tick: a
  // damaged progress starts the ship on its way again.
  if (mTravelTime > 0)
    mProgress = CatapultHold(on + " \"ctime\"", mProgress, 0, std::nextafter(travel, 0.f), 0);
  float fraction = mTravelTime == 0 ? 0 : mProgress / travel;
  fraction -= std::trunc(fraction);
  const float x = mStart + (mFinish - mStart) * fraction;
  const float y = mTop + (mBottom - mTop) * fraction;
  const float depth = mBottom == mTop ? 0 : (y - mTop) / (mBottom - mTop) * 100;
  mX = CatapultHold(on + " \"x\"", mX, std::min(mStart, mFinish), std::max(mStart, mFinish), x);
  mY = CatapultHold(on + " \"y\"", mY, std::min(mTop, mBottom), std::max(mTop, mBottom), y);
  mDepth = CatapultHold(on + " \"z\"", mDepth, 0, 100, depth);
  mScale = CatapultHold(on + " \"s\"", mScale, 0.1f, 1, std::min(1.f, depth * 0.01f + 0.1f));
  // Each tick adds at most 0.01 to the speed, and a ship of a moving kind
  // sails at most the travel time over its speed in ticks.
  const float gain = 0.01f * std::max(0.f, travel);
  mSpeed = CatapultHold(on + " \"speed\"", mSpeed, kindSpeed > 0 ? kindSpeed : kindSpeed - gain,
                        std::max(kindSpeed, 1.f) + gain, kindSpeed);

  if (!mVisual) return;
  TState state = savedState.empty() ? kStateNormal : TState::FromStr(savedState);
  // Only the "destroy" run ends in a ship's removal: a hit ship plays it
  // (else it would stay on the sea for good), a sailing one does not.
  if (mHit && !mDestroyed && state != DestroyState()) {
    Report("minigame_registry: catapult %s was hit but shows \"%s\"; it breaks up", on.c_str(),
           savedState.c_str());
    state = DestroyState();
  } else if (!mHit && state == DestroyState()) {
    Report("minigame_registry: catapult %s breaks up unhit; it sails on", on.c_str());
    state = kStateNormal;
  }
  if (!savedState.empty() || state == DestroyState()) mVisual->SetState(state, true);
}
