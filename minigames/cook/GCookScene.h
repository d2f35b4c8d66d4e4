#pragma once
// The kitchen game: the player makes dishes with the cook items in the
// mixing plate, serves each with the panel's done button onto its serving
// plate and looks recipes up in the cook book. The progress bar shows how
// far the served dishes and the one in the making are from perfect (0 is
// perfect); a time limit loses the game, three different dishes end it
// after a short wait, won when all three were perfect. The state lives in
// the mini-game registry child "cook", the dishes' own under "cook/plates",
// until the game ends.

#include <map>
#include <set>
#include <vector>

#include "game/GFullScreenGameScene.h"
#include "game/GMiniGameScene.h"
#include "game/LuaBinding.h"
#include "sdk/TSound.h"
#include "visual/TFxSprite.h"

class GCookBook;
class GSplineInterpolator;
class OCookDishItem;
class TCustomProgressBar;

// The served dishes by dish id with their ratings (0 to 100), and their sum.
class OCookServedDishes {
 public:
  // A dish served again replaces its rating.
  void Serve(const str& id, int rating);
  // A served dish emptied in the hand rates 0 and still counts.
  void Clear(const str& id);
  void Set(const str& id, int rating) { mRatings[id] = rating; }
  void SetReadySum(int sum) { mReadySum = sum; }
  int GetReadySum() const { return mReadySum; }
  int GetCount() const { return int(mRatings.size()); }
  // Every served dish perfect, and at least one served.
  bool IsWon() const { return mReadySum > 0 && mReadySum == 100 * GetCount(); }
  const std::map<str, int>& GetRatings() const { return mRatings; }

 private:
  std::map<str, int> mRatings;
  int mReadySum = 0;
};

class GCookScene : public GFullScreenGameScene {
  TWINDOW_CLASS(GCookScene, GFullScreenGameScene)
 public:
  // The scene item that is the mixing plate.
  static const char* const kMixingPlate;
  // The progress bar runs from 0 (all perfect) to this.
  enum { kBarMaximum = 300, kDishesToServe = 3, kClearButtonSize = 80 };
  // The most ticks a restored clock may show.
  enum { kLongestTime = 1 << 30 };

  GCookScene();
  ~GCookScene() override;

  void Init(TWindowStyle& style) override;
  bool OnMouseDown(const TPoint& point) override;
  bool OnExtendedMouseEvent(const TPoint& point, int event) override;
  bool OnMouseMove(const TPoint& point) override;
  void Update() override;
  bool UsesPanel() override { return true; }
  void AttachPanel(GGamePanel* panel) override;
  void DetachPanel() override;
  void Pause() override;
  void Resume() override;
  // The items, then "cook" anew; nothing of "cook" once the game is over.
  void SaveState() override;
  void WriteState(TXmlNode* node) override;
  void DescribeState(TXmlNode* node) override;
  GGamePanel* GetPanel() override { return mPanel; }
  bool IsMagicEnabled() override { return false; }
  void OnDoneClick() override;
  void OnClearClick() override;

  // Told by the dishes after every product: the mixing plate shows what it
  // would add, another dish only its emptying (amount 0).
  void UpdateProgressBar(OCookDishItem* dish, int amount);
  // Told by the mixing plate when its dish is complete: 2 right, else wrong.
  void PlayDishResult(int result);
  void OnMinigameButtonClick();
  void Finish(bool won);

  // The first hint time after `time`, or -1.
  static int NextHintTime(const std::map<int, str>& hints, int time);

  // The state node read by Init; the current state of the game by default.
  void SetStateNode(TXmlNode* node) { mStateNode = node; }
  OCookDishItem* GetMixingPlate() const { return mMixingPlate; }
  TCustomProgressBar* GetProgressBar() const { return mProgressBar; }
  const OCookServedDishes& GetServed() const { return mServed; }
  GCookBook* GetBook() const { return mBook; }
  bool IsBookShown() const { return mBookShown; }
  int GetTime() const { return mTime; }
  int GetNextHintTime() const { return mNextHint; }
  int GetExitCountdown() const { return mExitCountdown; }
  // Ticks until the tutorial opens, -1 when none is due.
  int GetTutorialCountdown() const { return mTutorialCountdown; }
  bool IsFinished() const { return mFinished; }
  // After the last dish, until the end: nothing the player does acts.
  bool IsWaiting() const { return mExitCountdown >= 0; }

 protected:
  void UpdateTimers() override;
  bool DrawsIndicators() const override { return false; }

 private:
  void SetBookShown(bool shown);
  void StartWait();
  void SetBar(int value);
  void RunEffect(size_t index);
  void ShrinkOverClear(const TPoint& point);
  void ReadConfig(TXmlNode* node);
  void ReadSavedState(TXmlNode* cook);
  bool Acts() const { return !mFinished && !IsWaiting(); }
  // One of the kitchen's own things: listed among its items, or of a cook
  // kind.
  bool IsPiece(IItem* item) const;

  GCookBook* mBook = nullptr;  // owned; in the front-item holder while shown
  bool mBookShown = false;
  TCustomProgressBar* mProgressBar = nullptr;  // the panel's
  TRect mClearRect;
  bool mShrunk = false;
  OCookDishItem* mMixingPlate = nullptr;  // a scene item
  OCookServedDishes mServed;
  std::map<int, str> mHints;  // tick -> hint key
  int mTime = 0;              // ticks the scene ran
  int mTimeLimit = 0;
  int mNextHint = -1;
  std::vector<str> mPlates;
  std::set<str> mPieces;  // the state's items
  str mWinItem, mLoseItem, mWinScene, mLoseScene;
  str mWinFlag, mWinFlagValue, mLoseFlag, mLoseFlagValue;
  int mExitDelay = 1;
  int mExitCountdown = -1;
  int mTutorialCountdown = -1;
  str mTutorialScript;
  bool mFinished = false;
  TSoundRef mClearSound, mDoneSound, mRightSound, mWrongSound;
  std::vector<TFxSpriteRef> mFxs;          // wrong, right, flying
  GSplineInterpolator* mFlight = nullptr;  // in the interpolator list
  GGamePanel* mPanel = nullptr;
  TXmlNode* mStateNode = nullptr;
  LuaNameSet mLuaNames;
};
