// The catapult's rules: launches, a ship's motion and look, the landing of
// a stone, the shot and its reload, the schedule and the two ends, the
// guards against empty spans, and the saved state.

#include <cmath>

#include "CatapultTestUtil.h"

namespace {

TEST_F(CatapultTest, LaunchesOnlyOnPathsBelowTheirLimit) {
  Make(FieldXml("max_ship_per_path='1'", TwoPaths()));
  EXPECT_TRUE(field->LaunchShip(0));
  EXPECT_TRUE(field->LaunchShip(0));
  EXPECT_FALSE(field->LaunchShip(0));
  EXPECT_EQ(field->mTotalShips, 2);
  ASSERT_EQ(field->GetShips().size(), 2u);
  EXPECT_NE(field->GetShips()[0]->GetPath(), field->GetShips()[1]->GetPath());
  for (GCatapultPath* path : field->GetPaths()) EXPECT_EQ(path->mShips, 1);
}

TEST_F(CatapultTest, APathWithoutAShipTypeSpendsItsDraw) {
  // Path "c" has no ship type: choosing it launches nothing, yet the number
  // drawn is gone, so the next choice is the generator's next number.
  Make(FieldXml("max_ship_per_path='50'",
                "<pathes top='0' bottom='100'><path id='a' center='1' travel_time='100'/>"
                "<path id='c' center='9' travel_time='100'/></pathes>"));
  TRandom twin(7);
  int launched = 0;
  for (int i = 0; i < 20; ++i) {
    bool onA = twin.RandRange(0, 1) == 0;
    EXPECT_EQ(field->LaunchShip(0), onA) << "launch " << i;
    if (onA) ++launched;
  }
  EXPECT_GT(launched, 0);
  EXPECT_LT(launched, 20);
  EXPECT_EQ(field->mTotalShips, launched);
  EXPECT_EQ(field->FindPath("c")->mShips, 0);
}

TEST_F(CatapultTest, EachLaunchAndRemovalShortensThePathDownToItsMinimum) {
  Make(FieldXml("max_ship_per_path='9' max_ships='9'", OnePath(100, 30, 50)));
  GCatapultPath* path = field->FindPath("a");
  for (int expected : {100, 70, 50}) {
    ASSERT_TRUE(field->LaunchShip(0));
    EXPECT_EQ(field->GetShips().back()->mTravelTime, expected);
  }
  EXPECT_EQ(path->mTravelTime, 50);
  path->mTravelTime = 90;
  GCatapultShip* ship = field->GetShips().front();
  ship->Hit();
  ship->OnStateEnd(Main(ship), TState::FromCStr("destroy"));
  Tick();
  EXPECT_EQ(path->mTravelTime, 60);
  EXPECT_EQ(path->mShips, 2);
  EXPECT_EQ(field->GetFreeShips().size(), 1u);
}

TEST_F(CatapultTest, NoPathTakesAShipWithALimitOfZero) {
  // However many first ships the content asks for, the start is quick.
  Make(FieldXml(
      "max_ship_per_path='0' max_ships='2' first_ships='2000000000' min_interval='5' max_interval='5'"));
  field->StartNew();
  Tick(500);
  EXPECT_EQ(field->mTotalShips, 0);
  EXPECT_TRUE(field->GetShips().empty());
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kPlaying);
}

TEST_F(CatapultTest, AShipGrowsClearsAndSpeedsUpAsItComes) {
  // y and depth equal the progress here: the look at the launch uses 0.02
  // for the alpha, every later tick 0.03.
  for (float progress : {0.f, 10.f, 40.f, 95.f}) {
    SCOPED_TRACE(progress);
    Make(FieldXml("max_ship_per_path='9'"));
    ASSERT_TRUE(field->LaunchShip(progress));
    GCatapultShip* ship = field->GetShips()[0];
    EXPECT_FLOAT_EQ(ship->mY, progress);
    EXPECT_FLOAT_EQ(ship->mScale, std::min(1.f, progress * 0.01f + 0.1f));
    EXPECT_FLOAT_EQ(Main(ship)->alpha, std::min(1.f, progress * 0.02f));
    EXPECT_FLOAT_EQ(Main(ship)->deltaZ, progress);
    ship->Advance();
    float d = progress + 1;
    EXPECT_FLOAT_EQ(ship->mY, d);
    EXPECT_FLOAT_EQ(ship->mScale, std::min(1.f, d * 0.01f + 0.1f));
    EXPECT_FLOAT_EQ(Main(ship)->alpha, std::min(1.f, d * 0.03f));
    EXPECT_FLOAT_EQ(ship->mSpeed, 1 + d * 0.0001f);
  }
}

TEST_F(CatapultTest, AShipAtTheShoreHidesAndLoses) {
  Make(FieldXml("max_ship_per_path='9' max_ships='9'"));
  ASSERT_TRUE(field->LaunchShip(98));
  GCatapultShip* ship = field->GetShips()[0];
  Tick();
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kPlaying);
  EXPECT_TRUE(ship->GetVisual()->visible);
  Tick();
  EXPECT_FALSE(ship->GetVisual()->visible);
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kLost);
  // Not removed: it stays where it landed.
  EXPECT_EQ(field->GetShips().size(), 1u);
}

TEST_F(CatapultTest, AFirstShipAtOrPastItsTravelTimeLosesOnItsFirstTick) {
  // Placed at the fractional part of the way.
  for (float progress : {100.f, 130.f}) {
    SCOPED_TRACE(progress);
    Make(FieldXml("max_ship_per_path='9' max_ships='9'"));
    ASSERT_TRUE(field->LaunchShip(progress));
    EXPECT_FLOAT_EQ(field->GetShips()[0]->mY, progress - 100);
    Tick();
    EXPECT_EQ(field->GetOutcome(), GCatapultField::kLost);
  }
}

// Two ships launched at the same place, at rest and full size: drawn from
// (80, 30) to (120, 70), their hulls from (90, 60) to (110, 70).
class CatapultLanding : public CatapultTest {
 protected:
  void SetUp() override {
    CatapultTest::SetUp();
    Make(FieldXml("max_ship_per_path='9' max_ships='9'", OnePath(), str(), 0));
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(field->LaunchShip(50));
  }
  void LandAt(int x, int y) {
    // Each tick sets the look by the progress again.
    for (GCatapultShip* ship : field->GetShips()) ship->SetLook(50, 1, 1);
    field->mTargetX = x;
    field->mTargetY = y;
    field->mFlight = 0;
    Tick();
  }
  GVObject* Splash() { return field->GetSplash()->GetChild("main"); }
};

TEST_F(CatapultLanding, TheFirstLaunchedIsHitFirstAndAHitShipLetsTheStoneOn) {
  GCatapultShip* first = field->GetShips()[0];
  GCatapultShip* second = field->GetShips()[1];
  LandAt(100, 65);
  EXPECT_TRUE(first->mHit);
  EXPECT_FALSE(second->mHit);
  EXPECT_EQ(Main(first)->GetState(), TState::FromCStr("destroy"));
  LandAt(100, 65);
  EXPECT_TRUE(second->mHit);
  EXPECT_EQ(Splash()->GetState(), kStateNormal);
}

TEST_F(CatapultLanding, AMissSplashesBehindAShipAboveItsLowestThirdElseInFront) {
  struct Case {
    int x, y;
    float depth;
  } cases[] = {
      {100, 40, 49},  // inside the ship's picture, off its hull, high: behind it
      {115, 65, 66},  // in its lowest third beside the hull: in front
      {200, 40, 41},  // open sea
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    Splash()->SetState(kStateNormal, true);
    LandAt(c.x, c.y);
    EXPECT_FALSE(field->GetShips()[0]->mHit);
    EXPECT_EQ(Splash()->GetState(), TState::FromCStr("splash"));
    EXPECT_FLOAT_EQ(Splash()->deltaZ, c.depth);
    EXPECT_FLOAT_EQ(Splash()->deltaX, float(c.x));
    EXPECT_FLOAT_EQ(Splash()->scaling, float(c.y) * 0.005f + 0.1f);
  }
}

TEST_F(CatapultTest, TheFlightGrowsWithTheDistance) {
  Make(FieldXml("max_ships='0'"));
  struct Case {
    int y, flight;
  } cases[] = {{0, 100}, {50, 50}, {99, 1}, {100, 0}, {150, 0}, {-30, 130}};
  for (const Case& c : cases) {
    field->mReloadCounter = GCatapultField::kReloadLength;
    field->Shoot(7, c.y);
    EXPECT_EQ(field->mFlight, c.flight) << c.y;
    EXPECT_EQ(field->mTargetY, c.y);
  }
  // A stone at the near edge lands on the very next tick.
  field->mReloadCounter = GCatapultField::kReloadLength;
  field->Shoot(7, 100);
  Tick();
  EXPECT_EQ(field->mFlight, -1);
  EXPECT_EQ(field->GetSplash()->GetChild("main")->GetState(), TState::FromCStr("splash"));
}

TEST_F(CatapultTest, TheNextStoneWaitsAHundredTicks) {
  Make(FieldXml("max_ships='0'"));
  EXPECT_EQ(field->mReloadCounter, GCatapultField::kReloadLength);  // ready at the start
  field->Shoot(10, 0);
  EXPECT_EQ(field->GetCursor().GetCatapultObject()->GetState(), TState::FromCStr("kick"));
  Tick(99);
  field->Shoot(20, 50);
  EXPECT_EQ(field->mTargetX, 10);
  EXPECT_EQ(field->mFlight, 1);
  Tick();
  field->Shoot(20, 50);
  EXPECT_EQ(field->mTargetX, 20);
  EXPECT_EQ(field->mFlight, 50);
}

TEST_F(CatapultTest, TheIntervalShrinksAtEachScheduledLaunchDownToTheLowBound) {
  Make(
      FieldXml("max_ships='9' max_ship_per_path='9' min_interval='50' max_interval='60' low_interval='30' "
               "interval_delta='20'",
               OnePath(100000)));
  field->StartNew();
  EXPECT_GE(field->mNextShipTime, 50);
  EXPECT_LE(field->mNextShipTime, 60);
  EXPECT_EQ(field->mMinInterval, 50);
  const int expected[][2] = {{30, 40}, {30, 30}, {30, 30}};
  for (const auto& bounds : expected) {
    int before = field->mTotalShips, ticks = 0;
    while (field->mTotalShips == before && ticks < 100) {
      Tick();
      ++ticks;
    }
    EXPECT_EQ(field->mMinInterval, bounds[0]);
    EXPECT_EQ(field->mMaxInterval, bounds[1]);
  }
}

TEST_F(CatapultTest, TheGameIsWonWhenEveryShipIsLaunchedAndGone) {
  // Nothing to launch: won on the first tick.
  Make(FieldXml("max_ships='0' first_ships='0'"));
  field->StartNew();
  Tick();
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kWon);

  // More first ships than ships in all: every first ship sails, no other
  // follows, and the game is won once they are gone.
  Make(FieldXml("max_ships='1' first_ships='3' max_ship_per_path='9' min_interval='1' max_interval='1'",
                OnePath(100000)));
  field->StartNew();
  EXPECT_EQ(field->mTotalShips, 3);
  Tick(50);
  EXPECT_EQ(field->mTotalShips, 3);
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kPlaying);
  for (GCatapultShip* ship : field->GetShips()) ship->OnStateEnd(Main(ship), TState::FromCStr("destroy"));
  Tick();
  EXPECT_TRUE(field->GetShips().empty());
  EXPECT_EQ(field->GetOutcome(), GCatapultField::kWon);
}

TEST_F(CatapultTest, EmptySpansGiveTheStartOfTheWay) {
  // A path shortened to no travel time at all.
  Make(FieldXml("max_ship_per_path='9' max_ships='9'", OnePath(0)));
  ASSERT_TRUE(field->LaunchShip(0));
  GCatapultShip* ship = field->GetShips()[0];
  EXPECT_FLOAT_EQ(ship->mX, 100);
  EXPECT_FLOAT_EQ(ship->mY, 0);
  EXPECT_FLOAT_EQ(ship->mDepth, 0);

  // A sea with no depth.
  Make(FieldXml("max_ship_per_path='9' max_ships='9'",
                "<pathes top='50' bottom='50'><path id='a' center='1' start='100' finish='100' "
                "travel_time='100'/></pathes>"));
  ASSERT_TRUE(field->LaunchShip(30));
  ship = field->GetShips()[0];
  EXPECT_FLOAT_EQ(ship->mY, 50);
  EXPECT_FLOAT_EQ(ship->mDepth, 0);
  EXPECT_FLOAT_EQ(ship->mScale, 0.1f);
  field->Shoot(100, 80);
  EXPECT_EQ(field->mFlight, 100);
  field->ShowSplash(nullptr, 100, 80);
  EXPECT_FLOAT_EQ(field->GetSplash()->GetChild("main")->deltaZ, 1);
}

TEST_F(CatapultTest, ASavedGameComesBackAsItWas) {
  Make(FieldXml("max_ship_per_path='9' max_ships='9' min_interval='30' max_interval='40'", TwoPaths()));
  field->StartNew();
  Tick(70);
  ASSERT_EQ(field->GetShips().size(), 2u);
  field->GetShips()[0]->Hit();
  field->Shoot(30, 40);
  field->GetCursor().MoveLeft();
  TXmlNode saved;
  saved.SetName("catapult");
  field->Save(&saved);

  Make(FieldXml("max_ship_per_path='9' max_ships='9' min_interval='30' max_interval='40'", TwoPaths()));
  field->Restore(&saved);
  TXmlNode again;
  again.SetName("catapult");
  field->Save(&again);
  EXPECT_EQ(again.AsString(), saved.AsString());
  EXPECT_EQ(field->mReloadCounter, GCatapultField::kReloadLength);
}

TEST_F(CatapultTest, ARestoredShipIsOfItsPathsKindAndAShipOfNoPathIsLeftOut) {
  Make(FieldXml("max_ship_per_path='9' max_ships='5' min_interval='5' max_interval='9'", TwoPaths()));
  TXmlNode saved;
  ASSERT_TRUE(saved.ParseString(
      "<catapult ticks='5' total_ships='3' next_ship_time='9'>"
      "<ships><ship x='300' y='40' z='40' s='0.5' speed='1.5' ctime='40' path='b' state='normal'/>"
      "<ship x='1' y='1' path='gone'/><ship x='100' y='20' z='20' s='0.3' speed='1' ctime='20' "
      "path='a'/></ships>"
      "<pathes><path id='a' ships='1'/><path id='b' ships='1'/><path id='gone' ships='4'/></pathes>"
      "<cursor x='10' y='20' r='140' p='70' dx='2' dy='2'/></catapult>"));
  size_t reports = ReportCount();
  field->Restore(&saved);
  // The ship of no path is the one fault of this save.
  EXPECT_EQ(ReportCount() - reports, 1u);
  ASSERT_EQ(field->GetShips().size(), 2u);
  EXPECT_EQ(field->GetShips()[0]->GetVisual()->GetId(), "barge");
  EXPECT_EQ(field->GetShips()[1]->GetVisual()->GetId(), "boat");
  EXPECT_FLOAT_EQ(field->GetShips()[0]->mProgress, 40);
  EXPECT_EQ(field->FindPath("b")->mShips, 1);
  EXPECT_EQ(field->mTotalShips, 3);
  EXPECT_FLOAT_EQ(field->GetCursor().GetX(), 10);
}

}  // namespace
