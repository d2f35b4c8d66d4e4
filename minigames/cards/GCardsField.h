#pragma once
// The rules of the find-the-card game: the cards fly from the start point to
// their places, card 1 is shown and hidden, pairs swap ever faster, and the
// player's click decides the turn. It counts the attempts and the finds and
// tells its scene when the game is won or lost.

#include <memory>
#include <vector>

#include "sdk/str.h"

class GCardsScene;
class GVDrawList;
class GVObject;
class TRandom;
class TXmlNode;

// One card: its object (face down in "normal", face up in the state named
// by its number), its place and its flight.
class GCardsCard {
 public:
  // Takes the object over; it may be null (the card then has no picture).
  GCardsCard(GVObject* object, int number, int width, int height);
  ~GCardsCard();
  GCardsCard(const GCardsCard&) = delete;
  GCardsCard& operator=(const GCardsCard&) = delete;

  void Place(float x, float y);
  void MoveTowards(float x, float y, float step);
  // One tick of the flight: each coordinate closes in by at most the step.
  void Step();
  void Turn(bool faceUp);
  void SetVisible(bool visible);
  void SetDepth(float depth);
  // Whether the point lies in the card's rectangle: left and top edges in,
  // right and bottom edges out.
  bool Contains(int px, int py) const;

  GVObject* GetObject() const { return mObject; }
  int GetNumber() const { return mNumber; }
  float GetX() const { return mX; }
  float GetY() const { return mY; }
  bool IsMoving() const { return mMoving; }
  bool IsVisible() const { return mVisible; }

 private:
  GVObject* mObject;  // owned
  bool mVisible = false;
  float mX = 0, mY = 0;
  bool mMoving = false;
  float mTargetX = 0, mTargetY = 0;
  float mStep = 5;  // pixels per tick
  int mWidth, mHeight;
  int mNumber;  // 1-based
};

class GCardsField {
 public:
  enum {
    kDealing = 0,
    kShowing = 1,
    kMixing = 2,
    kWaiting = 3,
    kWon = 4,
    kLost = 5,
    kTurnOver = 6,
    kGathering = 7,
    kFinished = 8
  };

  ~GCardsField();

  // Reads the "field" element and makes one card per place, each from the
  // object path "card" in `list`. The scene may be null (the field then
  // finishes without telling anyone).
  void Load(TXmlNode* field, GCardsScene* scene, TRandom* random, GVDrawList* list, const str& imageFolder);
  // A new turn: every card back at the start point, face down, flying home.
  void Deal();
  void Update();
  void OnClick(int x, int y);
  // From the saved counters: a game decided already ends on the next tick;
  // otherwise a new turn, or the loss when no attempt is left.
  void Restore(int attemps, int gw);

  int GetState() const { return mState; }
  int GetTarget() const { return mTarget; }
  int GetAttemps() const { return mAttemps; }
  int GetGw() const { return mGw; }
  int GetTimer() const { return mTimer; }
  const std::vector<std::unique_ptr<GCardsCard>>& GetCards() const { return mCards; }
  GCardsCard* FindCard(int number) const;
  bool AllStopped() const;

 private:
  void Swap();
  void GatherAll();

  TRandom* mRandom = nullptr;
  std::vector<std::unique_ptr<GCardsCard>> mCards;
  std::vector<std::pair<int, int>> mPlaces;
  int mState = kDealing;
  GCardsScene* mScene = nullptr;
  int mWidth = 0, mHeight = 0;
  int mStartX = 0, mStartY = 0;
  float mStartSpeed = 0;
  float mMixSpeed = 0;
  float mCurrentMixSpeed = 0;
  float mMixSpeedDelta = 0;
  int mMixTime = 0;
  int mMixCount = 0;
  int mShowTime = 0;
  int mTimer = 0;
  int mTarget = 0;
  int mMixDelay = 0;
  int mDelayCount = 0;
  int mGamesTotal = 0;
  int mGamesToWin = 0;
  int mGw = 0;
  int mAttemps = 0;
  // Read and kept; no rule uses them.
  int mX = 0, mY = 0;
};
