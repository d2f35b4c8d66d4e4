#pragma once
// The rules of the catapult game: the launch schedule, the ships on the sea
// and those kept for reuse, the stone in flight, the landing, and the two
// ends (a ship at the near edge loses; every ship launched and the sea empty
// wins). One Update is one tick of 16 ms.

#include <vector>

#include "game/LuaBinding.h"
#include "minigames/catapult/GCatapultCursor.h"
#include "minigames/catapult/GCatapultShip.h"
#include "sdk/TSound.h"

class GCatapultScene;
class GCatapultPanel;
class GVDrawList;
class TRandom;

class GCatapultField {
 public:
  enum { kReloadLength = 100 };
  enum Outcome { kPlaying, kWon, kLost };
  static const char* const kImageFolder;

  // The scene may be null (the rules alone); the random generator and the
  // draw list outlive the field.
  GCatapultField(GCatapultScene* scene, TRandom* random, GVDrawList* drawList);
  ~GCatapultField();
  GCatapultField(const GCatapultField&) = delete;
  GCatapultField& operator=(const GCatapultField&) = delete;

  // Reads the "field" element; never fails (absent parts read as empty or 0).
  void Load(TXmlNode* field, GCatapultPanel* panel);
  void StartNew();
  void Restore(TXmlNode* saved);
  void Save(TXmlNode* node) const;

  // `buttonMoved`: a panel button steered the cursor in this tick.
  void Update(bool buttonMoved);
  // The low byte of a key code.
  void OnKeyDown(unsigned char key);
  void OnKeyUp(unsigned char key);
  void Shoot(int x, int y);
  void OnShootLua();

  bool LaunchShip(float progress);
  void ShowSplash(GCatapultShip* ship, float x, float y);
  const GCatapultShipType* FindShipType(int center) const;
  GCatapultPath* FindPath(const str& id) const;

  // (y - top) / (bottom - top) x 100: 0 at the far edge, 100 at the near.
  float DepthAt(float y) const;
  // Ticks a stone thrown at y flies: 0 at the near edge and below, 100 at
  // the far edge, more beyond it.
  int FlightTo(int y) const;

  GCatapultCursor& GetCursor() { return mCursor; }
  const std::vector<GCatapultShip*>& GetShips() const { return mShips; }
  const std::vector<GCatapultShip*>& GetFreeShips() const { return mFreeShips; }
  const std::vector<GCatapultPath*>& GetPaths() const { return mPaths; }
  GVObject* GetSplash() const { return mSplash; }
  GVDrawList* GetDrawList() const { return mDrawList; }
  Outcome GetOutcome() const { return mOutcome; }
  int GetTop() const { return mTop; }
  int GetBottom() const { return mBottom; }
  bool WasMovedByKey() const { return mKeyMoved; }

  int mMaxShips = 0;
  int mTotalShips = 0;
  int mMinInterval = 0, mMaxInterval = 0;
  int mIntervalDelta = 0;
  int mLowInterval = 0;
  int mNextShipTime = 0;
  int mTicks = 0;  // since the last scheduled launch
  int mMaxShipPerPath = 0;
  int mFirstShips = 0;
  int mFirstShipsTimeMin = 0, mFirstShipsTimeMax = 0;
  int mHorizontal = 0, mVertical = 0;  // -1, 0, +1 from the arrow keys
  int mReloadCounter = 0;              // ticks since the last shot
  int mTargetX = 0, mTargetY = 0;
  int mFlight = -1;  // ticks until the stone lands; -1 none in flight

 private:
  // Whether a path takes another ship.
  bool HasRoom() const;
  void Land(float x, float y);
  void End(bool won);
  void Clear();

  GCatapultScene* mScene;
  TRandom* mRandom;
  GVDrawList* mDrawList;
  GCatapultCursor mCursor;
  std::vector<GCatapultShipType> mShipTypes;
  std::vector<GCatapultShip*> mShips;      // owned, in launch order
  std::vector<GCatapultShip*> mFreeShips;  // owned
  std::vector<GCatapultPath*> mPaths;      // owned, in configuration order
  GVObject* mSplash = nullptr;             // owned
  int mTop = 0, mBottom = 0;
  bool mKeyMoved = false;
  Outcome mOutcome = kPlaying;
  TSoundRef mShootSound, mExplosionSound, mSplashSound;
  LuaNameSet mLuaNames{this};
};
