#include "GCatapultField.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "minigames/catapult/GCatapultScene.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVFactory.h"

const char* const GCatapultField::kImageFolder = "anim/minigames/catapult/";

namespace {
int ReadInt(TXmlNode* node, const char* name) {
  return node ? node->GetAttribute(name).to_int() : 0;
}

// The arrow keys, and the codes 128 to 131 some keyboards send for them.
enum { kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40, kKeySpace = 32 };

int HorizontalOf(unsigned char key) {
  if (key == kKeyLeft || key == 130) return -1;
  if (key == kKeyRight || key == 131) return 1;
  return 0;
}

int VerticalOf(unsigned char key) {
  if (key == kKeyUp || key == 128) return -1;
  if (key == kKeyDown || key == 129) return 1;
  return 0;
}

void PlayOnce(const TSoundRef& sound) {
  if (sound) sound->Play(false);
}

// Each interval bound shrinks by the delta, never below the low bound.
int Shrink(int bound, int delta, int low) {
  return std::max(low, CatapultClamp(double(bound) - double(delta)));
}
}  // namespace

GCatapultField::GCatapultField(GCatapultScene* scene, TRandom* random, GVDrawList* drawList)
    : mScene(scene), mRandom(random), mDrawList(drawList) {
  mLuaNames.Bind("onCatapultShoot", this, &GCatapultField::OnShootLua);
}

GCatapultField::~GCatapultField() {
  Clear();
}

void GCatapultField::Clear() {
  for (GCatapultShip* ship : mShips) delete ship;
  for (GCatapultShip* ship : mFreeShips) delete ship;
  for (GCatapultPath* path : mPaths) delete path;
  mShips.clear();
  mFreeShips.clear();
  mPaths.clear();
  mShipTypes.clear();
  delete mSplash;
  mSplash = nullptr;
}

void GCatapultField::Load(TXmlNode* field, GCatapultPanel* panel) {
  Clear();
  mShootSound = TSound::Get("audio/sfx/minigames/catapult/shoot.ogg", 0, TSound::kTypeEffects);
  mExplosionSound = TSound::Get("audio/sfx/minigames/catapult/explosion.ogg", 0, TSound::kTypeEffects);
  mSplashSound = TSound::Get("audio/sfx/minigames/catapult/splash.ogg", 0, TSound::kTypeEffects);
  mHorizontal = mVertical = 0;
  mReloadCounter = kReloadLength;

  TXmlNode* pathes = field ? field->GetChild("pathes") : nullptr;
  mTop = ReadInt(pathes, "top");
  mBottom = ReadInt(pathes, "bottom");
  for (size_t i = 0; pathes && i < pathes->GetChildCount(); ++i) {
    TXmlNode* child = pathes->GetChildAt(i);
    if (child->GetName() != "path") continue;
    GCatapultPath* path = new GCatapultPath;
    path->Load(child);
    mPaths.push_back(path);
  }
  TXmlNode* ships = field ? field->GetChild("ships") : nullptr;
  for (size_t i = 0; ships && i < ships->GetChildCount(); ++i) {
    TXmlNode* child = ships->GetChildAt(i);
    if (child->GetName() != "ship") continue;
    GCatapultShipType type;
    type.center = ReadInt(child, "center");
    type.speed = ReadInt(child, "speed");
    type.visual = child->GetAttribute("visual");
    mShipTypes.push_back(type);
  }
  TXmlNode* params = field ? field->GetChild("params") : nullptr;
  mMaxShips = ReadInt(params, "max_ships");
  mMinInterval = ReadInt(params, "min_interval");
  mMaxInterval = ReadInt(params, "max_interval");
  mLowInterval = ReadInt(params, "low_interval");
  mIntervalDelta = ReadInt(params, "interval_delta");
  mMaxShipPerPath = ReadInt(params, "max_ship_per_path");
  mFirstShips = ReadInt(params, "first_ships");
  mFirstShipsTimeMin = ReadInt(params, "first_ships_time_min");
  mFirstShipsTimeMax = ReadInt(params, "first_ships_time_max");

  TXmlNode* cursor = field ? field->GetChild("cursor") : nullptr;
  mCursor.Load(cursor, panel, mDrawList, ReadInt(cursor, "x1"), ReadInt(cursor, "y1"), ReadInt(cursor, "x2"),
               ReadInt(cursor, "y2"));

  mSplash = GVFactory::GetInstance()->CreateInList(mDrawList, kImageFolder, "catapult_miss");
  if (mSplash) {
    mSplash->SetState(kStateNormal, true);
    mSplash->visible = 1;
    mSplash->deltaZ = 0;
    mSplash->changed = 1;
  }
}

void GCatapultField::StartNew() {
  mTicks = 0;
  mTotalShips = 0;
  mNextShipTime = mRandom->RandRange(mMinInterval, mMaxInterval);
  for (int i = 0; i < mFirstShips; ++i) {
    bool launched = LaunchShip(float(mRandom->RandRange(mFirstShipsTimeMin, mFirstShipsTimeMax)));
    // Once every path is full no later first ship can sail: a huge count
    // in the content ends here rather than spinning.
    if (!launched && !HasRoom()) break;
  }
}

bool GCatapultField::HasRoom() const {
  for (GCatapultPath* path : mPaths)
    if (path->mShips < mMaxShipPerPath) return true;
  return false;
}

bool GCatapultField::LaunchShip(float progress) {
  std::vector<GCatapultPath*> candidates;
  for (GCatapultPath* path : mPaths)
    if (path->mShips < mMaxShipPerPath) candidates.push_back(path);
  if (candidates.empty()) return false;
  GCatapultPath* path = candidates[size_t(mRandom->RandRange(0, int(candidates.size()) - 1))];
  const GCatapultShipType* type = FindShipType(path->mCenter);
  if (!type) return false;
  GCatapultShip* ship;
  if (mFreeShips.empty()) {
    ship = new GCatapultShip;
  } else {
    ship = mFreeShips.back();
    mFreeShips.pop_back();
  }
  ship->Launch(path, progress, *type, this);
  path->ShortenTravel();
  ++path->mShips;
  if (mTotalShips < INT_MAX) ++mTotalShips;
  mShips.push_back(ship);
  return true;
}

const GCatapultShipType* GCatapultField::FindShipType(int center) const {
  for (const GCatapultShipType& type : mShipTypes)
    if (type.center == center) return &type;
  return nullptr;
}

GCatapultPath* GCatapultField::FindPath(const str& id) const {
  for (GCatapultPath* path : mPaths)
    if (path->GetId() == id) return path;
  return nullptr;
}

float GCatapultField::DepthAt(float y) const {
  if (mBottom == mTop) return 0;
  return (y - float(mTop)) / (float(mBottom) - float(mTop)) * 100;
}

void GCatapultField::Update(bool buttonMoved) {
  if (mReloadCounter < kReloadLength) ++mReloadCounter;
  mKeyMoved = false;
  if (mHorizontal < 0) {
    mCursor.MoveLeft();
    mKeyMoved = true;
  } else if (mHorizontal > 0) {
    mCursor.MoveRight();
    mKeyMoved = true;
  } else if (!buttonMoved) {
    mCursor.ResetSpeedX();
  }
  if (mVertical < 0) {
    mCursor.MoveUp();
    mKeyMoved = true;
  } else if (mVertical > 0) {
    mCursor.MoveDown();
    mKeyMoved = true;
  } else if (!buttonMoved) {
    mCursor.ResetSpeedY();
  }

  // The stone lands before the ships move: a ship is hit where it was seen.
  if (mFlight > 0) {
    --mFlight;
  } else if (mFlight == 0) {
    mFlight = -1;
    Land(float(mTargetX), float(mTargetY));
  }

  for (size_t i = mShips.size(); i-- > 0;) {
    GCatapultShip* ship = mShips[i];
    ship->Advance();
    if (ship->mDestroyed) {
      if (GCatapultPath* path = ship->GetPath()) {
        path->ShortenTravel();
        if (path->mShips > INT_MIN) --path->mShips;
      }
      mFreeShips.push_back(ship);
      mShips.erase(mShips.begin() + long(i));
    } else if (ship->IsAshore()) {
      End(false);
      return;
    }
  }

  if (mTicks < INT_MAX) ++mTicks;
  if (mTotalShips >= mMaxShips) {
    if (mShips.empty()) End(true);
    return;
  }
  if (mTicks >= mNextShipTime) {
    LaunchShip(0);
    mTicks = 0;
    mNextShipTime = mRandom->RandRange(mMinInterval, mMaxInterval);
    mMinInterval = Shrink(mMinInterval, mIntervalDelta, mLowInterval);
    mMaxInterval = Shrink(mMaxInterval, mIntervalDelta, mLowInterval);
  }
}

void GCatapultField::End(bool won) {
  mOutcome = won ? kWon : kLost;
  if (mScene) mScene->Finish(won);
}

void GCatapultField::Land(float x, float y) {
  for (GCatapultShip* ship : mShips) {
    if (ship->HitTest(x, y)) {
      // A ship already hit lets the stone on to the ships launched after it.
      if (!ship->mHit && !ship->mDestroyed && ship->mProgress < float(ship->mTravelTime)) {
        PlayOnce(mExplosionSound);
        ship->Hit();
        return;
      }
      continue;
    }
    GVRectF r = ship->GetBounds();
    if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) {
      ShowSplash(ship, x, y);
      return;
    }
  }
  ShowSplash(nullptr, x, y);
}

void GCatapultField::ShowSplash(GCatapultShip* ship, float x, float y) {
  GVObject* main = mSplash ? mSplash->GetChild("main") : nullptr;
  float d = DepthAt(y);
  if (main) {
    main->scaling = d * 0.005f + 0.1f;
    main->SetState(TState::FromCStr("splash"), true);
  }
  PlayOnce(mSplashSound);
  if (!main) return;
  main->deltaX = x;
  main->deltaY = y;
  // Behind the ship when it falls in the upper two thirds of its rectangle.
  bool behind = false;
  if (ship) {
    GVRectF r = ship->GetBounds();
    behind = y < r.bottom - (r.bottom - r.top) / 3;
  }
  main->deltaZ = behind ? ship->mDepth - 1 : d + 1;
  main->alpha = std::min(1.f, d * 0.02f);
  main->changed = 1;
}

void GCatapultField::OnKeyDown(unsigned char key) {
  if (key == kKeySpace) {
    OnShootLua();
    return;
  }
  if (int h = HorizontalOf(key)) mHorizontal = h;
  if (int v = VerticalOf(key)) mVertical = v;
}

void GCatapultField::OnKeyUp(unsigned char key) {
  if (HorizontalOf(key)) mHorizontal = 0;
  if (VerticalOf(key)) mVertical = 0;
}

void GCatapultField::Shoot(int x, int y) {
  if (mReloadCounter < kReloadLength) return;
  mCursor.Kick();
  // The near edge and below land on the next tick; beyond the far edge the
  // stone flies longer than 100 ticks.
  mFlight = FlightTo(y);
  mTargetX = x;
  mTargetY = y;
  mReloadCounter = 0;
  PlayOnce(mShootSound);
}

int GCatapultField::FlightTo(int y) const {
  double d = std::min(100.0, double(DepthAt(float(y))));
  return CatapultClamp(100.0 - std::trunc(d));
}

void GCatapultField::OnShootLua() {
  // Once the game has ended its button fires nothing.
  if (mScene && mScene->IsFinished()) return;
  GVObject* mark = mCursor.GetCursorObject();
  float x = mark ? mark->deltaX : mCursor.GetX();
  float y = mark ? mark->deltaY : mCursor.GetY();
  Shoot(CatapultClamp(x), CatapultClamp(y));
}

void GCatapultField::Save(TXmlNode* node) const {
  TXmlNode* ships = node->CreateChild("ships");
  for (GCatapultShip* ship : mShips) ship->Save(ships->CreateChild("ship"));
  TXmlNode* pathes = node->CreateChild("pathes");
  for (GCatapultPath* path : mPaths) {
    TXmlNode* child = pathes->CreateChild("path");
    child->SetAttribute("id", path->GetId());
    child->SetAttribute("ships", str::format("%d", path->mShips));
  }
  node->SetAttribute("ticks", str::format("%d", mTicks));
  node->SetAttribute("total_ships", str::format("%d", mTotalShips));
  node->SetAttribute("next_ship_time", str::format("%d", mNextShipTime));
  mCursor.Save(node->CreateChild("cursor"));
  node->SetAttribute("ft", str::format("%d", mFlight));
  node->SetAttribute("lcx", str::format("%d", mTargetX));
  node->SetAttribute("lcy", str::format("%d", mTargetY));
}

void GCatapultField::Restore(TXmlNode* saved) {
  // Every number is held to what a game of this configuration reaches, so a
  // damaged save still plays to an end.
  mTicks = CatapultHold("\"ticks\"", ReadInt(saved, "ticks"), 0, INT_MAX);
  // Intervals are drawn between the bounds, which only shrink towards the
  // low bound (or grow, with a negative delta).
  const int farthest = mIntervalDelta < 0 ? INT_MAX : std::max({mMinInterval, mMaxInterval, mLowInterval});
  mNextShipTime = CatapultHold("\"next_ship_time\"", ReadInt(saved, "next_ship_time"),
                               std::min({0, mMinInterval, mLowInterval}), farthest);
  if (TXmlNode* pathes = saved->GetChild("pathes")) {
    for (size_t i = 0; i < pathes->GetChildCount(); ++i) {
      TXmlNode* child = pathes->GetChildAt(i);
      if (child->GetName() != "path") continue;
      if (GCatapultPath* path = FindPath(child->GetAttribute("id"))) path->LoadShips(child);
    }
  }
  if (TXmlNode* ships = saved->GetChild("ships")) {
    for (size_t i = 0; i < ships->GetChildCount(); ++i) {
      TXmlNode* child = ships->GetChildAt(i);
      if (child->GetName() != "ship") continue;
      GCatapultPath* path = FindPath(child->GetAttribute("path"));
      if (!path || mShipTypes.empty()) {
        Report("minigame_registry: catapult ship on \"%s\", a path the game does not have; left out",
               child->GetAttribute("path").c_str());
        continue;
      }
      // The ship of its path's kind; the first kind when the path has none.
      const GCatapultShipType* type = FindShipType(path->mCenter);
      GCatapultShip* ship = new GCatapultShip;
      ship->Launch(path, 0, type ? *type : mShipTypes.front(), this);
      ship->Load(child);
      mShips.push_back(ship);
    }
  }
  // A path counts the ships sailing on it: a count of ships that are not
  // there would keep the path shut for good.
  for (GCatapultPath* path : mPaths) {
    int sailing = 0;
    for (GCatapultShip* ship : mShips) sailing += ship->GetPath() == path ? 1 : 0;
    path->mShips = CatapultHold(str::format("path \"%s\" \"ships\"", path->GetId().c_str()), path->mShips,
                                sailing, sailing);
  }
  // Every ship afloat was launched, and no game launches more than its
  // ships or its first ships.
  const int afloat = int(mShips.size());
  mTotalShips = CatapultHold("\"total_ships\"", ReadInt(saved, "total_ships"), afloat,
                             std::max({afloat, mMaxShips, mFirstShips}));
  mCursor.Restore(saved->GetChild("cursor"));
  mFlight = ReadInt(saved, "ft");
  mTargetX = ReadInt(saved, "lcx");
  mTargetY = ReadInt(saved, "lcy");
  if (mFlight != -1) {
    // A stone in the air was thrown at the aim, and flies no longer than
    // the way to its target takes.
    mTargetX = CatapultClamp(mCursor.HoldX("\"lcx\"", float(mTargetX)));
    mTargetY = CatapultClamp(mCursor.HoldY("\"lcy\"", float(mTargetY)));
    mFlight = CatapultHold("\"ft\"", mFlight, -1, FlightTo(mTargetY));
  }
}
