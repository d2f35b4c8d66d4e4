#pragma once
// The rules of the fishing rod: casting, the float's rest, the bites of the
// six fish kinds with their patterns, the strike and the landing. The rules
// move a rod through a small interface, so the scene drives the real
// visual object and the tests a stand-in that records what it is told.

#include "sdk/str.h"

class TRandom;
class TXmlNode;

// The rod the rules move, and what they tell the scene.
class IFishingRod {
 public:
  enum Sound { kSoundEmpty, kSoundCatch, kSoundDrop, kSoundCast };

  virtual ~IFishingRod() = default;
  // The whole rod enters the named state at once.
  virtual void ShowState(const str& name) = 0;
  // The state the rod's "main" shows.
  virtual str GetShownState() const = 0;
  virtual float GetRodX() const = 0;
  virtual float GetRodY() const = 0;
  // Writes the position and marks the rod changed.
  virtual void PlaceRod(float x, float y) = 0;
  virtual void PlaySound(Sound sound) = 0;
  // A fish comes out of the water: the item of that name goes to the basket.
  virtual void LandFish(const str& itemName) = 0;
};

class OFishingField {
 public:
  // Rod states; there is no 2 or 5.
  enum { kReady = 0, kDrop = 1, kRest = 3, kBite = 4, kStrike = 6 };
  // Substates: how the rod moves.
  enum {
    kStill = 0,
    kRunLeft = 1,
    kDriftLeft = 2,
    kDriftLeftEnd = 3,
    kRunRight = 4,
    kDriftRight = 5,
    kDriftRightEnd = 6,
    kComingDown = 7,
    kCasting = 8,
    kDropped = 9,
    kEmptyStrike = 13
  };
  enum { kKindCount = 6, kPatternCount = 3 };

  struct FishKind {
    int probability = 0;
    str patterns[kPatternCount];
    int chances[kPatternCount] = {0, 0, 0};  // percent
  };

  // The rod may be null (nothing moves; states are only stored).
  OFishingField(IFishingRod* rod, TRandom* random);

  // fishing_rect, start_point and fishes of the scene state node.
  void Configure(TXmlNode* stateNode);
  // A fresh game: the rod comes down into its home position.
  void Start();
  // A saved game: the numbers are held to what a game reaches (each one
  // moved reported), and a rod in a state no game reaches comes home as a
  // fresh game's does, the key fish kept.
  void Restore(TXmlNode* node);
  // The saved attributes but "rod_state", which is the rod's.
  void Write(TXmlNode* node) const;

  void SetRodState(int state);
  int ChooseFishKind();
  // One 16 ms step of the rod's moves and waits.
  void Tick();
  // A state run of the rod's "main" has ended.
  void OnStateEnd(const str& state);

  bool IsAtHome() const { return mRodState == kReady && mSubstate == kStill; }
  // A click at home: remembered, and a cast when it lies on the water.
  void ClickWater(int x, int y);
  // A click while the float rests or bites; false in any other state.
  bool Strike();

  static const char* KindId(int kind);

  int GetRodState() const { return mRodState; }
  int GetSubstate() const { return mSubstate; }
  int GetFishKind() const { return mFishKind; }
  int GetBiting() const { return mBiting; }
  int GetFollowUp() const { return mFollowUp; }
  float GetTargetX() const { return mTargetX; }
  void SetTargetX(float x) { mTargetX = x; }
  float GetWaitTime() const { return mWaitTime; }
  int GetClickX() const { return mClickX; }
  int GetClickY() const { return mClickY; }
  bool IsKeyCaught() const { return mKeyCaught; }
  void SetKeyCaught(bool caught) { mKeyCaught = caught; }
  FishKind& GetKind(int kind) { return mKinds[kind]; }
  void SetFishKind(int kind) { mFishKind = kind; }
  void SetSubstate(int substate) { mSubstate = substate; }
  void SetFollowUp(int followUp) { mFollowUp = followUp; }
  void SetWaitTime(float wait) { mWaitTime = wait; }
  void SetRect(int x1, int y1, int x2, int y2);
  void SetStart(int x, int y);

 private:
  // Whether the rod state, substate and the rod's look are ones a game
  // reaches and leaves again.
  bool IsReachable() const;
  // A restored rod and cast held to the places its state gives them.
  void HoldToState();
  void Show(const char* state);
  void Place(float x, float y);
  void StartBite();
  // A sideways move of 30 to 70 pixels: left true starts it leftwards.
  void Move(bool left);
  // Either way; returns whether it went left.
  bool EitherWay();
  void DoStrike(int previous);
  void Land();

  IFishingRod* mRod;
  TRandom* mRandom;
  int mRodState = kReady;
  int mSubstate = kStill;
  int mFishKind = 0;
  int mBiting = -1;
  int mFollowUp = 0;
  int mClickX = 0, mClickY = 0;
  int mStartX = 0, mStartY = 0;
  int mX1 = 0, mY1 = 0, mX2 = 0, mY2 = 0;
  float mStep = 0.7f;  // pixels a tick
  float mTargetX = 0;
  float mTargetY = 0;
  float mWaitTime = -1;  // ticks; -1 not waiting
  float mWaitLimit = 50;
  bool mKeyCaught = false;
  FishKind mKinds[kKindCount];
};
