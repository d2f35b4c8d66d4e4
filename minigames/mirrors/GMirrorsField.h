#pragma once
// The board of the mirrors game: markers that take a mirror from the hand
// and give it back, the check of the required ones, the flight of the
// board and the markers off the top of the screen, the win animation, and
// the small animation of a laid mirror now and then.

#include <functional>
#include <vector>

#include "sdk/TMath.h"
#include "sdk/TRandom.h"
#include "sdk/TSound.h"
#include "visual/GVObject.h"

class TXmlNode;

struct GMirrorsMarker {
  GMirrorsMarker() = default;
  GMirrorsMarker(const GMirrorsMarker&) = delete;
  GMirrorsMarker& operator=(const GMirrorsMarker&) = delete;
  ~GMirrorsMarker() { delete object; }

  GVObject* object = nullptr;  // owned; children "main" and "hilight"
  bool r = false;              // must hold a mirror for a solution
  bool v = false;              // holds a mirror; the object shows exactly then
  float x = 0, y = 0;
  float homeX = 0, homeY = 0;  // where the layout puts it
  bool m = false;              // moving up after the check
  float targetY = 0;
  float speed = 30;  // pixels per tick
  str id;            // the item laid on it
};

class GMirrorsField : public GVListener {
 public:
  enum { kPlaying = 0, kSolved = 1, kFailed = 2 };
  typedef std::function<GVObject*(const str& path)> ObjectMaker;
  // Called once when the game ends: true for a win.
  typedef std::function<void(bool won)> FinishHandler;
  // Runs "gActive = true" in the scene's animations.
  typedef std::function<void()> AnimationStarter;
  // The player's hand: what it holds (empty: nothing), the held item
  // deleted, an item of a name made and held (false when none is made), and
  // whether a name is one of the game's mirrors (none: every item is).
  struct Hand {
    std::function<str()> held;
    std::function<void()> deleteHeld;
    std::function<bool(const str& name)> give;
    std::function<bool(const str& name)> isPiece;
  };

  GMirrorsField() = default;
  GMirrorsField(const GMirrorsField&) = delete;
  GMirrorsField& operator=(const GMirrorsField&) = delete;
  ~GMirrorsField() override;

  void SetObjectMaker(const ObjectMaker& maker) { mMakeObject = maker; }
  void SetFinishHandler(const FinishHandler& handler) { mFinish = handler; }
  void SetAnimationStarter(const AnimationStarter& starter) { mStartAnimations = starter; }
  void SetHand(const Hand& hand) { mHand = hand; }

  // The board, the sounds, the numbers of `field` and one marker per child
  // of its `mirrors`; false without a `mirrors` element.
  bool Load(TXmlNode* field);
  // A saved marker that holds no mirror of the game is reported and left
  // empty; a board or marker saved where no game puts it is reported and
  // put back in its place.
  void Restore(TXmlNode* node);
  void Save(TXmlNode* node) const;
  void Highlight(const TPoint& point);
  void OnClick(const TPoint& point);
  // The done button: solved when every required marker holds a mirror;
  // then everything starts to fly up.
  void Check();
  // Takes every mirror off the board (the ids stay).
  void ClearMarkers();
  // Takes the mirror off one marker without giving it to anyone.
  void EmptyMarker(GMirrorsMarker* marker) { ShowMarker(marker, false); }
  void Update();
  void OnStateEnd(GVObject* object, TState state) override;

  int GetState() const { return mState; }
  bool IsFinished() const { return mFinished; }
  bool HasArrived() const { return mArrived; }
  const std::vector<GMirrorsMarker*>& GetMarkers() const { return mMarkers; }
  GVObject* GetBoard() const { return mBoard; }
  GVObject* GetWinObject() const { return mWinObject; }
  TRandom& GetRandom() { return mRandom; }
  int GetNextAnimTime() const { return mNextAnimTime; }
  // The marker whose "main" the point is on, first in order; null for none.
  GMirrorsMarker* MarkerAt(const TPoint& point) const;

 private:
  void Clear();
  void ShowMarker(GMirrorsMarker* marker, bool shown);
  bool IsPiece(const str& name) const { return !mHand.isPiece || mHand.isPiece(name); }
  void AnimateALaidMarker();
  void Arrive();
  void End(bool won);

  TRandom mRandom;
  std::vector<GMirrorsMarker*> mMarkers;  // owned
  GVObject* mBoard = nullptr;             // owned
  GVObject* mWinObject = nullptr;         // owned
  int mState = kPlaying;
  float mMoveSpeed = 30;  // pixels per tick
  float mMoveY = -500;
  bool mArrived = false;
  bool mFinished = false;
  bool mEnded = false;  // the end handler ran
  // Kept and saved as they come; no rule uses them.
  int mLostWaitTime = 100, mCWaitTime = 0;
  int mPlateStartY = 0, mPlateStartX = 0, mPlateFinishY = 0, mPlateMoveSpeed = 0;
  int mNextAnimTime = 0, mCAnimTime = 0;  // ticks
  int mMinMarkerAnimTime = 0, mMaxMarkerAnimTime = 0;
  TSoundRef mTakeSound, mDropSound;
  ObjectMaker mMakeObject;
  FinishHandler mFinish;
  AnimationStarter mStartAnimations;
  Hand mHand;
};
