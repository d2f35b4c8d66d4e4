#include "GCardsField.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "minigames/cards/GCardsScene.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"
#include "visual/GVObject.h"

namespace {

// Toward zero, and within int whatever the content made of a position.
int Trunc(float v) {
  if (std::isnan(v)) return 0;
  if (v >= float(INT_MAX)) return INT_MAX;
  if (v <= float(INT_MIN)) return INT_MIN;
  return int(v);
}

float Approach(float from, float to, float step) {
  if (std::fabs(to - from) < step) return to;
  return from < to ? from + step : from - step;
}

int IntOf(TXmlNode* node, const char* name) {
  return node ? node->GetAttribute(name).to_int() : 0;
}

float FloatOf(TXmlNode* node, const char* name) {
  return node ? node->GetAttribute(name).to_float() : 0;
}

}  // namespace

// ---- card ----

GCardsCard::GCardsCard(GVObject* object, int number, int width, int height)
    : mObject(object), mWidth(width), mHeight(height), mNumber(number) {}

GCardsCard::~GCardsCard() {
  delete mObject;
}

void GCardsCard::Place(float x, float y) {
  mX = x;
  mY = y;
  if (!mObject) return;
  mObject->deltaX = x;
  mObject->deltaY = y;
  mObject->changed = 1;
}

void GCardsCard::MoveTowards(float x, float y, float step) {
  mTargetX = x;
  mTargetY = y;
  mStep = step;
  mMoving = true;
}

void GCardsCard::Step() {
  if (!mMoving) return;
  Place(Approach(mX, mTargetX, mStep), Approach(mY, mTargetY, mStep));
  if (mX == mTargetX && mY == mTargetY) mMoving = false;
}

void GCardsCard::Turn(bool faceUp) {
  if (!mObject) return;
  mObject->SetState(faceUp ? TState::FromStr(str::format("%d", mNumber)) : kStateNormal, true);
}

void GCardsCard::SetVisible(bool visible) {
  mVisible = visible;
  if (!mObject) return;
  mObject->visible = visible ? 1 : 0;
  mObject->changed = 1;
}

void GCardsCard::SetDepth(float depth) {
  if (!mObject) return;
  mObject->deltaZ = depth;
  mObject->changed = 1;
}

bool GCardsCard::Contains(int px, int py) const {
  // 64 bits: a card far off by a broken flight must not overflow the edges.
  long long left = (long long)Trunc(mX) - mWidth / 2, right = (long long)Trunc(mX) + mWidth / 2;
  long long top = (long long)Trunc(mY) - mHeight / 2, bottom = (long long)Trunc(mY) + mHeight / 2;
  return px >= left && px < right && py >= top && py < bottom;
}

// ---- field ----

GCardsField::~GCardsField() = default;

void GCardsField::Load(TXmlNode* field, GCardsScene* scene, TRandom* random, GVDrawList* list,
                       const str& imageFolder) {
  mState = kDealing;
  mScene = scene;
  mRandom = random;
  mGamesTotal = IntOf(field, "games_total");
  mGamesToWin = IntOf(field, "games_to_win");
  mX = IntOf(field, "x");
  mY = IntOf(field, "y");
  mGw = 0;
  TXmlNode* cards = field ? field->GetChild("cards") : nullptr;
  mStartX = IntOf(cards, "start_x");
  mStartY = IntOf(cards, "start_y");
  mMixTime = IntOf(cards, "mix_time");
  mWidth = IntOf(cards, "width");
  mHeight = IntOf(cards, "height");
  mShowTime = IntOf(cards, "show_time");
  mMixDelay = IntOf(cards, "mix_delay");
  mStartSpeed = FloatOf(cards, "start_speed");
  mMixSpeed = FloatOf(cards, "mix_speed");
  mMixSpeedDelta = FloatOf(cards, "mix_speed_delta");
  mCurrentMixSpeed = mMixSpeed;
  mTimer = mTarget = mMixCount = mDelayCount = 0;
  mPlaces.clear();
  mCards.clear();
  for (size_t i = 0; cards && i < cards->GetChildCount(); ++i) {
    TXmlNode* place = cards->GetChildAt(i);
    if (place->GetName() == "card") mPlaces.emplace_back(IntOf(place, "x"), IntOf(place, "y"));
  }
  // Without a place there is no card to find, and the game cannot end.
  if (mPlaces.empty()) Report("cards: the field has no card place; there is no card to find");
  for (size_t i = 0; i < mPlaces.size(); ++i) {
    GVObject* object = GVFactory::GetInstance()->CreateInList(list, imageFolder, "card");
    GCardsCard* card = new GCardsCard(object, int(i) + 1, mWidth, mHeight);
    mCards.emplace_back(card);
    card->Turn(false);
    card->Place(float(mStartX), float(mStartY));
    card->SetVisible(false);
  }
}

void GCardsField::Deal() {
  for (size_t i = 0; i < mCards.size(); ++i) {
    GCardsCard* card = mCards[i].get();
    card->Place(float(mStartX), float(mStartY));
    card->SetVisible(true);
    card->Turn(false);
    if (GVObject* object = card->GetObject()) object->alpha = 1;
    card->MoveTowards(float(mPlaces[i].first), float(mPlaces[i].second), mStartSpeed);
  }
  mState = kDealing;
  mCurrentMixSpeed = mMixSpeed;
  mMixCount = mTarget = mDelayCount = 0;
}

GCardsCard* GCardsField::FindCard(int number) const {
  for (const auto& card : mCards)
    if (card->GetNumber() == number) return card.get();
  return nullptr;
}

bool GCardsField::AllStopped() const {
  for (const auto& card : mCards)
    if (card->IsMoving()) return false;
  return true;
}

void GCardsField::GatherAll() {
  for (const auto& card : mCards) card->MoveTowards(float(mStartX), float(mStartY), mStartSpeed);
}

void GCardsField::Swap() {
  // With fewer than two places no pair exists, and drawing a second card
  // different from the first would never end.
  int count = int(mCards.size());
  if (count < 2) return;
  int a = mRandom->RandRange(0, count - 1);
  int b = a;
  while (b == a) b = mRandom->RandRange(0, count - 1);
  GCardsCard* first = mCards[a].get();
  GCardsCard* second = mCards[b].get();
  float ax = first->GetX(), ay = first->GetY();
  first->MoveTowards(second->GetX(), second->GetY(), mCurrentMixSpeed);
  second->MoveTowards(ax, ay, mCurrentMixSpeed);
  // The moving pair is drawn over the others.
  for (const auto& card : mCards) card->SetDepth(card.get() == first || card.get() == second ? 1 : 0);
  mCurrentMixSpeed += mMixSpeedDelta;
}

void GCardsField::Update() {
  for (const auto& card : mCards) card->Step();
  switch (mState) {
    case kDealing:
      if (!AllStopped()) break;
      mState = kShowing;
      mTarget = mCards.empty() ? 0 : mCards.front()->GetNumber();
      if (GCardsCard* card = FindCard(mTarget)) card->Turn(true);
      break;
    case kShowing:
      if (mTimer < mShowTime) {
        ++mTimer;
        break;
      }
      mTimer = 0;
      if (GCardsCard* card = FindCard(mTarget)) card->Turn(false);
      mState = kMixing;
      break;
    case kMixing:
      if (mMixCount >= mMixTime && AllStopped()) {
        mMixCount = 0;
        mState = kWaiting;
        break;
      }
      ++mMixCount;
      if (!AllStopped()) break;
      if (mDelayCount < mMixDelay) {
        ++mDelayCount;
        break;
      }
      mDelayCount = 0;
      Swap();
      break;
    case kWon:
    case kLost:
      if (mTimer < mShowTime) {
        ++mTimer;
        break;
      }
      mTimer = 0;
      if (mScene) mScene->Finish(mState == kWon);
      mState = kFinished;
      break;
    case kTurnOver:
      if (mTimer < mShowTime) {
        ++mTimer;
        break;
      }
      GatherAll();
      mState = kGathering;
      mTimer = 0;
      break;
    case kGathering:
      if (AllStopped()) Deal();
      break;
    default:
      break;
  }
}

void GCardsField::OnClick(int x, int y) {
  if (mState != kWaiting) return;
  GCardsCard* chosen = nullptr;
  for (const auto& card : mCards)
    if (card->Contains(x, y)) {
      chosen = card.get();
      break;
    }
  if (!chosen) return;
  ++mAttemps;
  chosen->Turn(true);
  if (chosen->GetNumber() == mTarget) ++mGw;
  if (mAttemps < mGamesTotal && mGw < mGamesToWin)
    mState = kTurnOver;
  else
    mState = mGw >= mGamesToWin ? kWon : kLost;
  mTimer = 0;
  if (GCardsCard* target = FindCard(mTarget)) target->Turn(true);
}

void GCardsField::Restore(int attemps, int gw) {
  // A damaged save may hold any number; negative counts mean none, and a
  // count of finds past the need is a win, so neither grows without bound.
  mAttemps = std::max(0, attemps);
  mGw = std::max(0, gw);
  if (mGw >= mGamesToWin) {
    mState = kWon;
    mTimer = mShowTime;
  } else if (mAttemps < mGamesTotal) {
    Deal();
  } else {
    mState = kLost;
    mTimer = mShowTime;
  }
}
