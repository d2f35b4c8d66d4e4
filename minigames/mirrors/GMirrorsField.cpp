#include "GMirrorsField.h"

#include <algorithm>
#include <cmath>

#include "minigames/GBoardGameScene.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVState.h"

namespace {
const float kBoardX = 124, kBoardY = 17;

// Whether a saved coordinate is one a game reaches: `home`, or on the way
// from it to `flightEnd` (where the check sends everything flying). The
// slack takes the rounding of the saved text.
bool Reached(float value, float home, float flightEnd) {
  const float slack = 0.01f;
  return std::isfinite(value) && value >= std::min(home, flightEnd) - slack &&
         value <= std::max(home, flightEnd) + slack;
}

int IntAttr(const TXmlNode* node, const char* name, int def) {
  if (!node || !node->HasAttribute(name)) return def;
  return node->GetAttribute(name).to_int();
}

float FloatAttr(const TXmlNode* node, const char* name, float def) {
  if (!node || !node->HasAttribute(name)) return def;
  return node->GetAttribute(name).to_float();
}

void SetInt(TXmlNode* node, const char* name, int value) {
  node->SetAttribute(name, str::format("%d", value));
}

void SetFloat(TXmlNode* node, const char* name, float value) {
  node->SetAttribute(name, str::format("%f", value));
}

void Play(const TSoundRef& sound) {
  if (sound) sound->Play();
}

// Edges included, as the frame rectangle of the object's current frame
// lies now.
bool FrameContains(GVObject* object, const TPoint& point) {
  if (!object) return false;
  object->UpdateData();
  GVFrame* frame = object->GetCurrentFrame();
  if (!frame) return false;
  object->UpdateTransform(frame);
  GVRectF r = object->GetFrameRect(frame);
  float x = float(point.x), y = float(point.y);
  return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}
}  // namespace

GMirrorsField::~GMirrorsField() {
  Clear();
}

void GMirrorsField::Clear() {
  for (GMirrorsMarker* marker : mMarkers) delete marker;
  mMarkers.clear();
  delete mBoard;
  mBoard = nullptr;
  delete mWinObject;
  mWinObject = nullptr;
}

bool GMirrorsField::Load(TXmlNode* field) {
  Clear();
  mFinished = false;
  mEnded = false;
  mArrived = false;
  mState = kPlaying;
  mBoard = mMakeObject ? mMakeObject("mirrors_field") : nullptr;
  if (mBoard) {
    mBoard->SetState(kStateNormal, true);
    GBoardGameScene::ShowObject(mBoard, true);
    GBoardGameScene::PlaceObject(mBoard, kBoardX, kBoardY);
  }
  mTakeSound = TSound::Get("audio/sfx/game/items/item_take.ogg", 0, TSound::kTypeEffects);
  mDropSound = TSound::Get("audio/sfx/game/items/item_drop.ogg", 0, TSound::kTypeEffects);
  mMoveSpeed = FloatAttr(field, "move_speed", 30);
  mMoveY = FloatAttr(field, "move_y", -500);
  // Anything else would never bring the board up, and the game would never end.
  if (!(mMoveSpeed > 0)) {
    Report("mirrors: move_speed %g is not a speed; 30 pixels a tick taken", double(mMoveSpeed));
    mMoveSpeed = 30;
  }
  mLostWaitTime = IntAttr(field, "lost_wait_time", 100);
  mPlateStartY = IntAttr(field, "plate_start_y", 0);
  mPlateStartX = IntAttr(field, "plate_start_x", 0);
  mPlateFinishY = IntAttr(field, "plate_finish_y", 0);
  mPlateMoveSpeed = IntAttr(field, "plate_move_speed", 0);
  mMinMarkerAnimTime = IntAttr(field, "min_marker_anim_time", 0);
  mMaxMarkerAnimTime = IntAttr(field, "max_marker_anim_time", 0);
  mCAnimTime = 0;
  mNextAnimTime = mRandom.RandRange(mMinMarkerAnimTime, mMaxMarkerAnimTime);
  TXmlNode* mirrors = field ? field->GetChild("mirrors") : nullptr;
  if (!mirrors) return false;
  str path = mirrors->GetAttribute("marker");
  for (size_t i = 0; i < mirrors->GetChildCount(); ++i) {
    TXmlNode* child = mirrors->GetChildAt(i);
    GMirrorsMarker* marker = new GMirrorsMarker();
    marker->object = mMakeObject ? mMakeObject(path) : nullptr;
    marker->r = IntAttr(child, "r", 0) == 1;
    marker->x = marker->homeX = FloatAttr(child, "x", 0);
    marker->y = marker->homeY = FloatAttr(child, "y", 0);
    marker->speed = mMoveSpeed;
    if (marker->object) marker->object->SetState(kStateNormal, true);
    GBoardGameScene::PlaceObject(marker->object, marker->x, marker->y);
    ShowMarker(marker, false);
    mMarkers.push_back(marker);
  }
  return true;
}

void GMirrorsField::ShowMarker(GMirrorsMarker* marker, bool shown) {
  marker->v = shown;
  GBoardGameScene::ShowObject(marker->object, shown);
}

GMirrorsMarker* GMirrorsField::MarkerAt(const TPoint& point) const {
  for (GMirrorsMarker* marker : mMarkers)
    if (marker->object && FrameContains(marker->object->GetChild("main"), point)) return marker;
  return nullptr;
}

void GMirrorsField::Highlight(const TPoint& point) {
  if (mState != kPlaying) return;
  GMirrorsMarker* hit = MarkerAt(point);
  for (GMirrorsMarker* marker : mMarkers)
    if (GVObject* hilight = marker->object ? marker->object->GetChild("hilight") : nullptr)
      GBoardGameScene::ShowObject(hilight, marker == hit);
}

void GMirrorsField::OnClick(const TPoint& point) {
  if (mState != kPlaying) return;
  GMirrorsMarker* marker = MarkerAt(point);
  if (!marker) return;
  str held = mHand.held ? mHand.held() : str();
  if (marker->v) {
    if (marker->id.empty() || !held.empty()) return;
    ShowMarker(marker, false);
    if (mHand.give) mHand.give(marker->id);
    Play(mTakeSound);
    return;
  }
  // Only the game's own mirrors are laid: anything else would be lost on
  // the board when the game ends.
  if (held.empty() || !IsPiece(held)) return;
  marker->id = held;
  ShowMarker(marker, true);
  if (mHand.deleteHeld) mHand.deleteHeld();
  Play(mDropSound);
}

void GMirrorsField::Check() {
  if (mState != kPlaying) return;
  mState = kSolved;
  for (GMirrorsMarker* marker : mMarkers)
    if (marker->r && !marker->v) {
      mState = kFailed;
      break;
    }
  for (GMirrorsMarker* marker : mMarkers) {
    marker->m = true;
    marker->targetY = mMoveY;
    marker->speed = mMoveSpeed;
  }
}

void GMirrorsField::ClearMarkers() {
  for (GMirrorsMarker* marker : mMarkers) ShowMarker(marker, false);
}

void GMirrorsField::Update() {
  for (GMirrorsMarker* marker : mMarkers) {
    if (!marker->m) continue;
    if (marker->y - marker->speed > marker->targetY) {
      marker->y -= marker->speed;
    } else {
      marker->y = marker->targetY;
      marker->m = false;
    }
    GBoardGameScene::PlaceObject(marker->object, marker->x, marker->y);
  }
  if (++mCAnimTime >= mNextAnimTime) {
    mCAnimTime = 0;
    mNextAnimTime = mRandom.RandRange(mMinMarkerAnimTime, mMaxMarkerAnimTime);
    AnimateALaidMarker();
  }
  if (mState == kPlaying || mArrived) return;
  float boardY = mBoard ? mBoard->deltaY : mMoveY;
  if (boardY - mMoveSpeed > mMoveY) {
    GBoardGameScene::PlaceObject(mBoard, mBoard->deltaX, boardY - mMoveSpeed);
    return;
  }
  Arrive();
}

void GMirrorsField::AnimateALaidMarker() {
  std::vector<GMirrorsMarker*> laid;
  for (GMirrorsMarker* marker : mMarkers)
    if (marker->v) laid.push_back(marker);
  if (laid.empty()) return;
  GMirrorsMarker* chosen = laid[size_t(mRandom.RandRange(0, int(laid.size()) - 1))];
  if (GVObject* main = chosen->object ? chosen->object->GetChild("main") : nullptr)
    main->SetState(TState::FromCStr("anim"), true);
}

void GMirrorsField::Arrive() {
  if (mBoard) GBoardGameScene::PlaceObject(mBoard, mBoard->deltaX, mMoveY);
  mArrived = true;
  if (mState == kSolved) {
    delete mWinObject;
    mWinObject = mMakeObject ? mMakeObject("mirrors_win") : nullptr;
    if (mWinObject) {
      mWinObject->SetState(kStateNormal, true);
      GBoardGameScene::ShowObject(mWinObject, true);
      GBoardGameScene::PlaceObject(mWinObject, 0, 0);
      if (GVChilds* children = mWinObject->GetChildren())
        for (GVObject* child : children->Elements()) child->listener = this;
    }
  } else if (mState == kFailed) {
    End(false);
  }
}

void GMirrorsField::End(bool won) {
  // The saved finished flag does not hold the end back: the game's end was
  // never saved, so a flag that came back is a damaged save's and would
  // leave the game without an end.
  mFinished = true;
  if (mEnded) return;
  mEnded = true;
  if (mFinish) mFinish(won);
}

void GMirrorsField::OnStateEnd(GVObject* object, TState state) {
  if (mState != kSolved || !mWinObject) return;
  GVState* data = object ? object->GetCurrentStateData() : nullptr;
  if (data && !data->next.IsEmpty()) mWinObject->SetState(data->next, true);
  if (state == TState::FromCStr("finish"))
    End(true);
  else if (state == TState::FromCStr("main5") && mStartAnimations)
    mStartAnimations();
}

void GMirrorsField::Restore(TXmlNode* node) {
  mState = IntAttr(node, "state", kPlaying);
  if (mState != kSolved && mState != kFailed) mState = kPlaying;
  mCWaitTime = IntAttr(node, "cwaittime", 0);
  mNextAnimTime = IntAttr(node, "nextanimtime", 0);
  mCAnimTime = IntAttr(node, "canimtime", 0);
  if (mCAnimTime < 0 || mCAnimTime > mNextAnimTime) mCAnimTime = 0;
  mArrived = false;
  mFinished = IntAttr(node, "f", 0) == 1;
  // Nothing moves before the check; after it only up, to move_y. A place
  // off that way would leave a board no mirror can be laid on or seen.
  const bool playing = mState == kPlaying;
  if (mBoard) {
    float fx = FloatAttr(node, "fx", kBoardX), fy = FloatAttr(node, "fy", kBoardY);
    if (!Reached(fx, kBoardX, kBoardX) || !Reached(fy, kBoardY, playing ? kBoardY : mMoveY)) {
      Report(
          "minigame_registry: the mirrors board is saved at (%g, %g), where no game puts it; put back at "
          "(%g, %g)",
          double(fx), double(fy), double(kBoardX), double(kBoardY));
      fx = kBoardX;
      fy = kBoardY;
    }
    GBoardGameScene::PlaceObject(mBoard, fx, fy);
  }
  TXmlNode* items = node ? node->GetChild("items") : nullptr;
  for (size_t i = 0; items && i < items->GetChildCount() && i < mMarkers.size(); ++i) {
    TXmlNode* item = items->GetChildAt(i);
    GMirrorsMarker* marker = mMarkers[i];
    marker->x = FloatAttr(item, "x", marker->homeX);
    marker->y = FloatAttr(item, "y", marker->homeY);
    if (!Reached(marker->x, marker->homeX, marker->homeX) ||
        !Reached(marker->y, marker->homeY, playing ? marker->homeY : mMoveY)) {
      Report("minigame_registry: mirrors marker %d is saved at (%g, %g), off the board; put back at (%g, %g)",
             int(i + 1), double(marker->x), double(marker->y), double(marker->homeX), double(marker->homeY));
      marker->x = marker->homeX;
      marker->y = marker->homeY;
    }
    GBoardGameScene::PlaceObject(marker->object, marker->x, marker->y);
    marker->id = item->GetAttribute("id");
    // Laid only as the game lays: "1" and a mirror of the game. Anything
    // else is a damaged save's; the scene gives a mirror that is then
    // nowhere back to the panel.
    const str v = item->GetAttribute("v");
    bool laid = v == "1";
    if (v != "1" && v != "0" && !v.empty()) {
      Report("minigame_registry: mirrors marker %d is saved with v \"%s\"; it is left empty", int(i + 1),
             v.c_str());
    } else if (laid && !IsPiece(marker->id)) {
      Report("minigame_registry: mirrors marker %d holds \"%s\", no mirror of the game; it is left empty",
             int(i + 1), marker->id.c_str());
      laid = false;
    }
    ShowMarker(marker, laid);
    marker->m = IntAttr(item, "m", 0) == 1;
    if (marker->m && playing) {
      Report("minigame_registry: mirrors marker %d is saved flying before the check; it stays", int(i + 1));
      marker->m = false;
    }
    marker->r = IntAttr(item, "r", 0) == 1;
    marker->targetY = mMoveY;
    marker->speed = mMoveSpeed;
  }
}

void GMirrorsField::Save(TXmlNode* node) const {
  SetInt(node, "state", mState);
  SetFloat(node, "fx", mBoard ? mBoard->deltaX : kBoardX);
  SetFloat(node, "fy", mBoard ? mBoard->deltaY : kBoardY);
  SetInt(node, "cwaittime", mCWaitTime);
  SetInt(node, "nextanimtime", mNextAnimTime);
  SetInt(node, "canimtime", mCAnimTime);
  SetInt(node, "f", mFinished ? 1 : 0);
  TXmlNode* items = node->CreateChild("items");
  for (const GMirrorsMarker* marker : mMarkers) {
    TXmlNode* item = items->CreateChild("item");
    SetFloat(item, "x", marker->x);
    SetFloat(item, "y", marker->y);
    SetInt(item, "v", marker->v ? 1 : 0);
    SetInt(item, "m", marker->m ? 1 : 0);
    SetInt(item, "r", marker->r ? 1 : 0);
    item->SetAttribute("id", marker->id);
  }
}
