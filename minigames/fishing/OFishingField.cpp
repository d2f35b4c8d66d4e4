#include "OFishingField.h"

#include <algorithm>

#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVData.h"

namespace {
const char* const kKindIds[OFishingField::kKindCount] = {"none",  "crucian", "carp",
                                                         "perch", "roach",   "tench"};
const char* const kPatternAttributes[OFishingField::kPatternCount] = {"anim_a", "anim_b", "anim_c"};
const char* const kChanceAttributes[OFishingField::kPatternCount] = {"prob_a", "prob_b", "prob_c"};
// Weights are summed: a bound keeps the total of six within an int.
const int kMaxProbability = 1000000;
const float kRise = 400;  // pixels a cast lifts the rod
const float kStepY = 40;  // pixels a tick of a vertical move
// What a save may set the rod's place and the wait to: far beyond any real
// game, and small enough to be written back as the whole numbers they were.
const int kMaxRestoredPixels = 100000;
const int kMaxRestoredWait = 1000000;
// Pixels a float drifts past the end of a run, and so past the water's
// sides: a few ticks at half a pixel each, with room to spare.
const int kDriftMargin = 50;

int KindIndex(const str& id) {
  for (int i = 1; i < OFishingField::kKindCount; ++i)
    if (id == kKindIds[i]) return i;
  return 0;
}
}  // namespace

OFishingField::OFishingField(IFishingRod* rod, TRandom* random) : mRod(rod), mRandom(random) {}

const char* OFishingField::KindId(int kind) {
  return kind >= 0 && kind < kKindCount ? kKindIds[kind] : kKindIds[0];
}

void OFishingField::SetRect(int x1, int y1, int x2, int y2) {
  mX1 = x1;
  mY1 = y1;
  mX2 = x2;
  mY2 = y2;
}

void OFishingField::SetStart(int x, int y) {
  mStartX = x;
  mStartY = y;
  // A bite run that never set its target measures from home.
  mTargetX = float(x);
}

void OFishingField::Configure(TXmlNode* stateNode) {
  if (!stateNode) return;
  // Pixels the rod's moves add to and subtract from: held to the bounds of
  // every content coordinate.
  if (TXmlNode* rect = stateNode->GetChild("fishing_rect"))
    SetRect(GVReadCoordinate("x1", rect), GVReadCoordinate("y1", rect), GVReadCoordinate("x2", rect),
            GVReadCoordinate("y2", rect));
  if (TXmlNode* start = stateNode->GetChild("start_point"))
    SetStart(GVReadCoordinate("x", start), GVReadCoordinate("y", start));
  TXmlNode* fishes = stateNode->GetChild("fishes");
  for (size_t i = 0; fishes && i < fishes->GetChildCount(); ++i) {
    TXmlNode* fish = fishes->GetChildAt(i);
    FishKind kind;
    kind.probability = std::clamp(fish->GetAttribute("probability").to_int(), 0, kMaxProbability);
    for (int p = 0; p < kPatternCount; ++p) {
      kind.patterns[p] = fish->GetAttribute(kPatternAttributes[p]);
      kind.chances[p] = fish->GetAttribute(kChanceAttributes[p]).to_int();
    }
    mKinds[KindIndex(fish->GetAttribute("id"))] = kind;
  }
}

void OFishingField::Start() {
  mSubstate = kComingDown;
  SetRodState(kReady);
}

void OFishingField::Restore(TXmlNode* node) {
  mKeyCaught = node->GetAttribute("key").to_int() != 0;
  mSubstate = node->GetAttribute("substate").to_int();
  mRodState = node->GetAttribute("state").to_int();
  const int kind = node->GetAttribute("ft").to_int();
  mFishKind = std::clamp(kind, 0, kKindCount - 1);
  if (mFishKind != kind)
    Report("minigame_registry: fishing: fish kind %d is none of the six; %d taken", kind, mFishKind);
  // Whatever a save says, the numbers below stay far beyond any real game and
  // small enough to be written back as the whole numbers they were.
  auto held = [node](const char* name, int low, int high) {
    const int value = node->GetAttribute(name).to_int();
    const int within = std::clamp(value, low, high);
    if (within != value)
      Report("minigame_registry: fishing: %s %d is outside %d..%d; %d taken", name, value, low, high, within);
    return within;
  };
  if (mRod) {
    mRod->ShowState(node->GetAttribute("rod_state"));
    mRod->PlaceRod(float(held("rod_x", -kMaxRestoredPixels, kMaxRestoredPixels)),
                   float(held("rod_y", -kMaxRestoredPixels, kMaxRestoredPixels)));
  }
  // -1 is "not waiting"; nothing below it means anything else.
  mWaitTime = float(held("wait_time", -1, kMaxRestoredWait));
  mClickX = node->GetAttribute("click_x").to_int();
  mClickY = node->GetAttribute("click_y").to_int();
  mBiting = node->GetAttribute("biting").to_int();
  mFollowUp = node->GetAttribute("shs").to_int();
  if (!IsReachable()) {
    Report(
        "minigame_registry: fishing: rod state %d with substate %d and look \"%s\" is none the game reaches; "
        "the rod comes home",
        mRodState, mSubstate, mRod ? mRod->GetShownState().c_str() : "");
    mWaitTime = -1;
    mFollowUp = 0;
    Start();
    return;
  }
  HoldToState();
  // The targets are not saved: a move restored goes on to where its state
  // leads. A cast rises to its top and a rod coming down reaches home; a
  // bite's run ends where the float lies, and the pattern goes on from there.
  if (mRodState == kReady && mSubstate == kComingDown) mTargetY = float(mStartY - 100);
  if (mRodState == kReady && mSubstate == kCasting) mTargetY = mStartY - 100 - kRise;
  if (mRodState == kDrop) mTargetY = float(mClickY);
  if (mRod && mRodState == kBite && (mSubstate == kRunLeft || mSubstate == kRunRight))
    mTargetX = mRod->GetRodX();
}

void OFishingField::HoldToState() {
  // A cast only ever starts from a click on the water, and drops there.
  if (mRodState == kReady && mSubstate == kCasting) {
    const int x = std::clamp(mClickX, mX1, std::max(mX1, mX2)),
              y = std::clamp(mClickY, mY1, std::max(mY1, mY2));
    if (x != mClickX || y != mClickY)
      Report("minigame_registry: fishing: a cast from (%d,%d), off the water; cast from (%d,%d)", mClickX,
             mClickY, x, y);
    mClickX = x;
    mClickY = y;
  }
  if (!mRod) return;
  // Where the rod state puts the rod: home's column, between home and the
  // top of a cast, while ready; the top once a strike has lifted it; on the
  // water's surface while the float is in it, no further from the water's
  // sides than a drift carries it.
  const float x = mRod->GetRodX(), y = mRod->GetRodY();
  const float home = float(mStartY - 100), top = home - kRise;
  float heldX = x, heldY = y;
  switch (mRodState) {
    case kReady:
      heldX = float(mStartX);
      heldY = mSubstate == kStill ? home : std::clamp(y, top, home);
      break;
    case kStrike:
      if (mWaitTime != -1) {
        heldX = float(mStartX);
        heldY = top;
        break;
      }
      [[fallthrough]];
    default:
      heldX = std::clamp(x, float(mX1 - kDriftMargin), float(std::max(mX1, mX2) + kDriftMargin));
      heldY = float(mStartY);
      break;
  }
  if (heldX == x && heldY == y) return;
  Report(
      "minigame_registry: fishing: the rod at (%d,%d) is not where rod state %d puts it; placed at (%d,%d)",
      int(x), int(y), mRodState, int(heldX), int(heldY));
  Place(heldX, heldY);
}

bool OFishingField::IsReachable() const {
  switch (mRodState) {
    case kReady:
      // Anything else leaves a rod neither at home nor moving: no click casts.
      return mSubstate == kStill || mSubstate == kComingDown || mSubstate == kCasting;
    case kDrop: {
      // Only the end of a "rest" run moves a dropped float on.
      if (!mRod) return true;
      const str shown = mRod->GetShownState();
      return shown == "drop" || shown == "rest";
    }
    case kRest:
    case kBite:
    case kStrike:
      // A click strikes, and every strike comes home.
      return true;
    default:
      return false;
  }
}

void OFishingField::Write(TXmlNode* node) const {
  node->SetAttribute("key", mKeyCaught ? "1" : "0");
  node->SetAttribute("substate", str::format("%d", mSubstate));
  node->SetAttribute("state", str::format("%d", mRodState));
  if (mRod) {
    node->SetAttribute("rod_state", mRod->GetShownState());
    node->SetAttribute("rod_x", str::format("%d", int(mRod->GetRodX())));
    node->SetAttribute("rod_y", str::format("%d", int(mRod->GetRodY())));
  }
  node->SetAttribute("wait_time", str::format("%d", int(mWaitTime)));
  node->SetAttribute("click_x", str::format("%d", mClickX));
  node->SetAttribute("click_y", str::format("%d", mClickY));
  node->SetAttribute("biting", str::format("%d", mBiting));
  node->SetAttribute("ft", str::format("%d", mFishKind));
  node->SetAttribute("shs", str::format("%d", mFollowUp));
}

void OFishingField::Show(const char* state) {
  mRod->ShowState(state);
}

void OFishingField::Place(float x, float y) {
  mRod->PlaceRod(x, y);
}

void OFishingField::SetRodState(int state) {
  int previous = mRodState;
  mRodState = state;
  if (!mRod) return;
  switch (state) {
    case kReady:
      mFishKind = 0;
      Show("normal");
      if (mSubstate == kComingDown) {
        Place(float(mStartX), mStartY - 100 - kRise);
        mTargetY = float(mStartY - 100);
      } else if (mSubstate == kCasting) {
        mRod->PlaySound(IFishingRod::kSoundCast);
        Place(float(mStartX), float(mStartY - 100));
        mTargetY = mStartY - 100 - kRise;
      }
      break;
    case kDrop:
      Show("drop");
      mRod->PlaySound(IFishingRod::kSoundDrop);
      Place(float(mClickX), float(mStartY));
      mSubstate = kDropped;
      mTargetY = float(mClickY);
      break;
    case kRest:
      Show("rest");
      break;
    case kBite:
      StartBite();
      break;
    case kStrike:
      DoStrike(previous);
      break;
    default:
      break;
  }
}

void OFishingField::Move(bool left) {
  float x = mRod->GetRodX();
  float r = float(mRandom->RandRange(30, 70));
  if (left) {
    mSubstate = kDriftLeft;
    Show("left_start");
    mTargetX = x - r;
  } else {
    mSubstate = kDriftRight;
    Show("right_start");
    mTargetX = x + r;
  }
}

bool OFishingField::EitherWay() {
  bool left = mRandom->RandRange(0, 1) == 1;
  Move(left);
  return left;
}

void OFishingField::StartBite() {
  mBiting = mRandom->RandRange(0, 2);
  const str& pattern = mKinds[mFishKind].patterns[std::clamp(mBiting, 0, kPatternCount - 1)];
  if (pattern == "left") {
    Move(true);
  } else if (pattern == "right") {
    Move(false);
  } else if (pattern == "left_or_right") {
    EitherWay();
    mFollowUp = 0;
  } else if (pattern == "left_and_right") {
    mFollowUp = EitherWay() ? 1 : 2;
  } else if (pattern == "left_or_right_dip") {
    mFollowUp = EitherWay() ? 3 : 4;
  } else if (pattern == "left_or_right_drowning") {
    mFollowUp = EitherWay() ? 5 : 6;
  } else if (pattern == "left_or_right_begin") {
    mSubstate = kStill;
    Show(mRandom->RandRange(0, 1) == 1 ? "left_begin" : "right_begin");
  } else {
    Show(pattern.c_str());
    mSubstate = kStill;
    return;
  }
  // A run that would leave the water is called off at once.
  if (mTargetX > float(mX2) || mTargetX < float(mX1)) {
    mFollowUp = 0;
    mSubstate = kStill;
    SetRodState(kRest);
  }
}

void OFishingField::DoStrike(int previous) {
  int kind = mFishKind;
  if (kind != 0 && previous != kRest) {
    if (mBiting < 0 || mBiting >= kPatternCount) mBiting = 0;
    if (mRandom->RandRange(0, 100) < mKinds[kind].chances[mBiting]) {
      Show((str("catch_") + kKindIds[kind]).c_str());
      mRod->PlaySound(IFishingRod::kSoundCatch);
      return;
    }
  }
  mFishKind = 0;
  Show("catch_none");
  mRod->PlaySound(IFishingRod::kSoundEmpty);
  mSubstate = kEmptyStrike;
}

int OFishingField::ChooseFishKind() {
  int total = 0;
  for (const FishKind& kind : mKinds) total += kind.probability;
  if (total <= 0) return 0;
  int b = mRandom->RandRange(0, total);
  int s = 0;
  for (int i = 0; i < kKindCount; ++i) {
    if (s <= b && b <= s + mKinds[i].probability) return i;
    s += mKinds[i].probability;
  }
  return 0;
}

void OFishingField::Land() {
  str name = str("fishing_") + kKindIds[mFishKind];
  // One crucian in three is the key fish, until one has been landed.
  if (mFishKind == 1 && !mKeyCaught && mRandom->RandRange(0, 2) == 0) {
    name = "fishing_crucian_key";
    mKeyCaught = true;
  }
  mRod->LandFish(name);
}

void OFishingField::Tick() {
  if (!mRod) return;
  float x = mRod->GetRodX(), y = mRod->GetRodY();
  if (mRodState == kBite) {
    switch (mSubstate) {
      case kRunLeft:
        if (mTargetX <= x - mStep) {
          Place(x - mStep, float(mStartY));
        } else {
          Show("left_end");
          mSubstate = kDriftLeftEnd;
        }
        break;
      case kDriftLeft:
      case kDriftLeftEnd:
        Place(x - mStep * 0.7f, float(mStartY));
        break;
      case kRunRight:
        if (mTargetX >= x + mStep) {
          Place(x + mStep, float(mStartY));
        } else {
          Show("right_end");
          mSubstate = kDriftRightEnd;
        }
        break;
      case kDriftRight:
      case kDriftRightEnd:
        Place(x + mStep * 0.7f, float(mStartY));
        break;
      default:
        break;
    }
  } else if (mRodState == kReady) {
    if (mSubstate == kComingDown) {
      if (mTargetY >= y + kStepY) {
        Place(x, y + kStepY);
      } else {
        Place(x, mTargetY);
        mSubstate = kStill;
      }
    } else if (mSubstate == kCasting) {
      if (mTargetY <= y - kStepY) {
        Place(x, y - kStepY);
        mWaitTime = 0;
      } else {
        Place(x, mTargetY);
        if (mWaitTime < mWaitLimit) {
          mWaitTime += 1;
        } else {
          mWaitTime = -1;
          mSubstate = kStill;
          SetRodState(kDrop);
        }
      }
    }
  } else if (mRodState == kStrike && mWaitTime != -1) {
    if (mWaitTime < mWaitLimit) {
      mWaitTime += 1;
    } else {
      mWaitTime = -1;
      mSubstate = kComingDown;
      if (mFishKind != 0) Land();
      SetRodState(kReady);
    }
  }
}

void OFishingField::OnStateEnd(const str& state) {
  if (!mRod) return;
  if (state == "rest") {
    if (mFishKind == 0) {
      mFishKind = ChooseFishKind();
      SetRodState(mFishKind != 0 ? kBite : kRest);
    } else {
      SetRodState(mRandom->RandRange(0, 1) == 0 ? kBite : kRest);
    }
  } else if (mRodState == kStrike && mWaitTime == -1) {
    Place(float(mStartX), mStartY - 100 - kRise);
    mWaitTime = 0;
  } else if (state == "foul") {
    mSubstate = kComingDown;
    SetRodState(kReady);
  } else if (state == "left_start") {
    Show("left");
    mSubstate = kRunLeft;
  } else if (state == "right_start") {
    Show("right");
    mSubstate = kRunRight;
  } else if (state == "right" || state == "left") {
    int dip = state == "left" ? 3 : 4, drowning = state == "left" ? 5 : 6;
    if (mFollowUp == dip) {
      Show("dip1");
      mSubstate = kStill;
    } else if (mFollowUp == drowning) {
      Show("drowning1");
      mSubstate = kStill;
    }
  } else if (state == "left_end" || state == "right_end") {
    bool left = state == "left_end";
    if (mFollowUp == (left ? 1 : 2)) {
      Show(left ? "right" : "left");
      mSubstate = left ? kRunRight : kRunLeft;
    } else {
      SetRodState(kRest);
      mSubstate = kStill;
    }
  } else if (mRodState == kBite) {
    SetRodState(kRest);
    mSubstate = kStill;
  }
}

void OFishingField::ClickWater(int x, int y) {
  mClickX = x;
  mClickY = y;
  if (x < mX1 || x > mX2 || y < mY1 || y > mY2) return;
  mSubstate = kCasting;
  SetRodState(kReady);
}

bool OFishingField::Strike() {
  if (mRodState != kRest && mRodState != kBite) return false;
  SetRodState(kStrike);
  return true;
}
