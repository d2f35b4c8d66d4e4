// The fishing rod's rules against a stand-in rod that records what it is
// told: the choice of a fish, the strike, the bite patterns, the ends of the
// rod's state runs, the rod's moves and the key fish; then the basket and
// the scene's place in the builder and the panel.

#include <functional>
#include <memory>
#include <vector>

#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/SceneTestUtil.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "minigames/fishing/GFishingScene.h"
#include "minigames/fishing/OFishingField.h"
#include "sdk/TRandom.h"
#include "sdk/TReport.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"
#include "visual/GVData.h"

namespace {

class StandInRod : public IFishingRod {
 public:
  void ShowState(const str& name) override { shown.push_back(name); }
  str GetShownState() const override { return shown.empty() ? str() : shown.back(); }
  float GetRodX() const override { return x; }
  float GetRodY() const override { return y; }
  void PlaceRod(float px, float py) override {
    x = px;
    y = py;
  }
  void PlaySound(Sound sound) override { sounds.push_back(sound); }
  void LandFish(const str& itemName) override { landed.push_back(itemName); }

  std::vector<str> shown;
  std::vector<int> sounds;
  std::vector<str> landed;
  float x = 0, y = 0;
};

// A draw of RandRange(lo, hi) that must give `value`; -1 takes any.
struct Draw {
  int lo, hi, value;
};

// A generator whose first draws are the given ones: the rules' randomness
// made to order by searching the seeds.
TRandom DrawingInTurn(const std::vector<Draw>& draws) {
  for (uint32_t seed = 1; seed < 2000000; ++seed) {
    TRandom random(seed);
    bool fits = true;
    for (const Draw& d : draws) {
      int got = random.RandRange(d.lo, d.hi);
      if (d.value >= 0 && got != d.value) {
        fits = false;
        break;
      }
    }
    if (fits) return TRandom(seed);
  }
  ADD_FAILURE() << "no seed draws that";
  return TRandom(1);
}

// The water (100,260)-(700,440), home (400,520), the weights of the pier.
class FishingFieldTest : public testing::Test {
 protected:
  void SetUp() override { Reset({}); }
  void Reset(const std::vector<Draw>& draws) {
    mRandom = DrawingInTurn(draws);
    mRod = StandInRod();
    mField.reset(new OFishingField(&mRod, &mRandom));
    mField->SetRect(100, 260, 700, 440);
    mField->SetStart(400, 520);
    const int weights[] = {20, 40, 20, 10, 5, 5};
    for (int i = 0; i < OFishingField::kKindCount; ++i) mField->GetKind(i).probability = weights[i];
  }
  // Every pattern of the kind is `pattern`, so the pattern draw does not
  // matter.
  void Patterns(int kind, const char* pattern) {
    for (str& p : mField->GetKind(kind).patterns) p = pattern;
  }
  // The field as a saved game leaves it, the float resting at home's column.
  void Restore(int rodState, int substate, int fishKind, int followUp, int waitTime) {
    TXmlNode saved("fishing");
    saved.SetAttribute("rod_state", "rest");
    saved.SetAttribute("state", str::format("%d", rodState));
    saved.SetAttribute("substate", str::format("%d", substate));
    saved.SetAttribute("ft", str::format("%d", fishKind));
    saved.SetAttribute("shs", str::format("%d", followUp));
    saved.SetAttribute("wait_time", str::format("%d", waitTime));
    saved.SetAttribute("rod_x", "400");
    // A strike's wait starts once the rod has lifted the catch to the top.
    const bool lifted = rodState == OFishingField::kStrike && waitTime != -1;
    saved.SetAttribute("rod_y", lifted ? "20" : "520");
    mField->Restore(&saved);
    mRod.shown.clear();
  }

  TRandom mRandom{1};
  StandInRod mRod;
  std::unique_ptr<OFishingField> mField;
};

TEST_F(FishingFieldTest, AFishKindIsChosenByWeight) {
  struct Case {
    int draw, kind;
  } cases[] = {{0, 0}, {20, 0}, {21, 1}, {60, 1}, {61, 2}, {81, 3}, {95, 4}, {96, 5}, {100, 5}};
  for (const Case& c : cases) {
    Reset({{0, 100, c.draw}});
    EXPECT_EQ(mField->ChooseFishKind(), c.kind) << "draw " << c.draw;
  }
  // Nothing to choose from: no fish, and no draw taken.
  Reset({{0, 0, -1}});
  for (int i = 0; i < OFishingField::kKindCount; ++i) mField->GetKind(i).probability = 0;
  EXPECT_EQ(mField->ChooseFishKind(), 0);
}

TEST_F(FishingFieldTest, AStrikeCatchesOnlyDuringABiteAndByTheChance) {
  struct Case {
    const char* what;
    int kind, from, chance, draw;
    const char* shown;
    int sound;
  } cases[] = {
      {"no fish", 0, OFishingField::kBite, 100, 0, "catch_none", IFishingRod::kSoundEmpty},
      {"resting float", 2, OFishingField::kRest, 100, 0, "catch_none", IFishingRod::kSoundEmpty},
      {"chance 0", 2, OFishingField::kBite, 0, 0, "catch_none", IFishingRod::kSoundEmpty},
      {"chance 100, draw 99", 2, OFishingField::kBite, 100, 99, "catch_carp", IFishingRod::kSoundCatch},
      {"chance 100, draw 100", 2, OFishingField::kBite, 100, 100, "catch_none", IFishingRod::kSoundEmpty},
      {"chance 50, draw 49", 5, OFishingField::kBite, 50, 49, "catch_tench", IFishingRod::kSoundCatch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The bite state's pattern draw first, then the strike's.
    Reset({{0, 2, 1}, {0, 100, c.draw}});
    Patterns(c.kind, "twitch");
    mField->GetKind(c.kind).chances[1] = c.chance;
    mField->SetFishKind(c.kind);
    mField->SetRodState(OFishingField::kBite);
    if (c.from == OFishingField::kRest) mField->SetRodState(OFishingField::kRest);
    mRod.sounds.clear();
    EXPECT_TRUE(mField->Strike());
    EXPECT_EQ(mField->GetRodState(), OFishingField::kStrike);
    EXPECT_EQ(mRod.GetShownState(), c.shown);
    EXPECT_EQ(mRod.sounds, std::vector<int>{c.sound});
    bool caught = c.sound == IFishingRod::kSoundCatch;
    EXPECT_EQ(mField->GetFishKind(), caught ? c.kind : 0);
    EXPECT_EQ(mField->GetSubstate(), caught ? OFishingField::kStill : OFishingField::kEmptyStrike);
  }
  // Anywhere but resting or biting a click is no strike.
  Reset({});
  EXPECT_FALSE(mField->Strike());
  EXPECT_EQ(mField->GetRodState(), OFishingField::kReady);
}

TEST_F(FishingFieldTest, BitePatternsMoveTheFloatAndSetWhatFollows) {
  // Draws after the pattern's own: the way (1 left), then the run's length.
  struct Case {
    const char* pattern;
    std::vector<Draw> draws;
    float x;
    const char* shown;
    int substate, followUp, targetX, rodState;
  } cases[] = {
      {"left", {{30, 70, 40}}, 400, "left_start", OFishingField::kDriftLeft, 9, 360, OFishingField::kBite},
      {"right", {{30, 70, 70}}, 400, "right_start", OFishingField::kDriftRight, 9, 470, OFishingField::kBite},
      {"left_or_right", {{0, 1, 1}, {30, 70, 30}}, 400, "left_start", 2, 0, 370, OFishingField::kBite},
      {"left_or_right", {{0, 1, 0}, {30, 70, 30}}, 400, "right_start", 5, 0, 430, OFishingField::kBite},
      {"left_and_right", {{0, 1, 1}, {30, 70, 50}}, 400, "left_start", 2, 1, 350, OFishingField::kBite},
      {"left_and_right", {{0, 1, 0}, {30, 70, 50}}, 400, "right_start", 5, 2, 450, OFishingField::kBite},
      {"left_or_right_dip", {{0, 1, 1}, {30, 70, 50}}, 400, "left_start", 2, 3, 350, OFishingField::kBite},
      {"left_or_right_dip", {{0, 1, 0}, {30, 70, 50}}, 400, "right_start", 5, 4, 450, OFishingField::kBite},
      {"left_or_right_drowning",
       {{0, 1, 1}, {30, 70, 50}},
       400,
       "left_start",
       2,
       5,
       350,
       OFishingField::kBite},
      {"left_or_right_drowning",
       {{0, 1, 0}, {30, 70, 50}},
       400,
       "right_start",
       5,
       6,
       450,
       OFishingField::kBite},
      // Only twitches: the target stays at home's column, inside the water.
      {"left_or_right_begin", {{0, 1, 1}}, 690, "left_begin", 0, 9, 400, OFishingField::kBite},
      {"left_or_right_begin", {{0, 1, 0}}, 690, "right_begin", 0, 9, 400, OFishingField::kBite},
      {"twitch", {}, 690, "twitch", 0, 9, 400, OFishingField::kBite},
      // A run out of the water is called off: the float rests.
      {"right", {{30, 70, 40}}, 680, "rest", 0, 0, 720, OFishingField::kRest},
      {"left_and_right", {{0, 1, 1}, {30, 70, 70}}, 150, "rest", 0, 0, 80, OFishingField::kRest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pattern << " from " << c.x);
    std::vector<Draw> draws = {{0, 2, -1}};
    draws.insert(draws.end(), c.draws.begin(), c.draws.end());
    Reset(draws);
    Patterns(3, c.pattern);
    mField->SetFishKind(3);
    mField->SetFollowUp(9);
    mRod.x = c.x;
    mField->SetRodState(OFishingField::kBite);
    EXPECT_EQ(mRod.GetShownState(), c.shown);
    EXPECT_EQ(mField->GetSubstate(), c.substate);
    EXPECT_EQ(mField->GetFollowUp(), c.followUp);
    EXPECT_EQ(mField->GetTargetX(), float(c.targetX));
    EXPECT_EQ(mField->GetRodState(), c.rodState);
  }
}

TEST_F(FishingFieldTest, TheEndOfAStateRunDecidesWhatComesNext) {
  struct Case {
    const char* ended;
    int rodState, fishKind, followUp;
    std::vector<Draw> draws;
    int wantState, wantSubstate;
    const char* wantShown;  // "" when nothing is shown
  } cases[] = {
      // The end of a rest: a fish chosen (draw 30 is a crucian) bites; none rests.
      {"rest", OFishingField::kDrop, 0, 0, {{0, 100, 30}, {0, 2, -1}}, OFishingField::kBite, 0, "twitch"},
      {"rest", OFishingField::kDrop, 0, 0, {{0, 100, 5}}, OFishingField::kRest, -1, "rest"},
      // A fish already on: a coin toss between biting and resting.
      {"rest", OFishingField::kRest, 1, 0, {{0, 1, 0}, {0, 2, -1}}, OFishingField::kBite, 0, "twitch"},
      {"rest", OFishingField::kRest, 1, 0, {{0, 1, 1}}, OFishingField::kRest, -1, "rest"},
      {"foul", OFishingField::kBite, 1, 0, {}, OFishingField::kReady, 7, "normal"},
      {"left_start", OFishingField::kBite, 1, 0, {}, OFishingField::kBite, 1, "left"},
      {"right_start", OFishingField::kBite, 1, 0, {}, OFishingField::kBite, 4, "right"},
      {"right", OFishingField::kBite, 1, 4, {}, OFishingField::kBite, 0, "dip1"},
      {"right", OFishingField::kBite, 1, 6, {}, OFishingField::kBite, 0, "drowning1"},
      {"right", OFishingField::kBite, 1, 3, {}, OFishingField::kBite, -1, ""},
      {"left", OFishingField::kBite, 1, 3, {}, OFishingField::kBite, 0, "dip1"},
      {"left", OFishingField::kBite, 1, 5, {}, OFishingField::kBite, 0, "drowning1"},
      {"left", OFishingField::kBite, 1, 4, {}, OFishingField::kBite, -1, ""},
      {"left_end", OFishingField::kBite, 1, 1, {}, OFishingField::kBite, 4, "right"},
      {"left_end", OFishingField::kBite, 1, 2, {}, OFishingField::kRest, 0, "rest"},
      {"right_end", OFishingField::kBite, 1, 2, {}, OFishingField::kBite, 1, "left"},
      {"right_end", OFishingField::kBite, 1, 0, {}, OFishingField::kRest, 0, "rest"},
      {"dip2", OFishingField::kBite, 1, 0, {}, OFishingField::kRest, 0, "rest"},
      {"drop", OFishingField::kDrop, 0, 0, {}, OFishingField::kDrop, -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ended << " in " << c.rodState << " with " << c.followUp);
    Reset(c.draws);
    Patterns(1, "twitch");
    Restore(c.rodState, -1, c.fishKind, c.followUp, -1);
    mField->OnStateEnd(c.ended);
    EXPECT_EQ(mField->GetRodState(), c.wantState);
    EXPECT_EQ(mField->GetSubstate(), c.wantSubstate);
    EXPECT_EQ(mRod.GetShownState(), c.wantShown);
  }
}

TEST_F(FishingFieldTest, AStrikeWaitsAboveTheWaterThenLandsTheFishAndComesDown) {
  Restore(OFishingField::kStrike, 0, 4, 0, -1);
  // The end of the catch's run lifts the rod out of sight and starts the wait.
  mField->OnStateEnd("catch_roach");
  EXPECT_EQ(mRod.y, 20);
  EXPECT_EQ(mField->GetWaitTime(), 0);
  mField->OnStateEnd("catch_roach");
  EXPECT_EQ(mField->GetWaitTime(), 0) << "later ends change nothing";
  for (int i = 0; i < 50; ++i) mField->Tick();
  EXPECT_TRUE(mRod.landed.empty());
  mField->Tick();
  EXPECT_EQ(mRod.landed, std::vector<str>{"fishing_roach"});
  EXPECT_EQ(mField->GetRodState(), OFishingField::kReady);
  EXPECT_EQ(mField->GetFishKind(), 0);
  // Down 40 pixels a tick to home, 100 above the start point.
  for (int i = 0; i < 10; ++i) mField->Tick();
  EXPECT_EQ(mRod.y, 420);
  EXPECT_EQ(mField->GetSubstate(), OFishingField::kComingDown);
  mField->Tick();
  EXPECT_TRUE(mField->IsAtHome());
}

TEST_F(FishingFieldTest, RunsAndDriftsMoveAlongTheSurface) {
  struct Case {
    int substate;
    float targetX;
    int ticks;
    float x;
    const char* shown;
    int wantSubstate;
  } cases[] = {
      {OFishingField::kRunLeft, 398.5f, 2, 398.6f, "", OFishingField::kRunLeft},
      {OFishingField::kRunLeft, 398.5f, 3, 398.6f, "left_end", OFishingField::kDriftLeftEnd},
      {OFishingField::kRunRight, 401.5f, 3, 401.4f, "right_end", OFishingField::kDriftRightEnd},
      {OFishingField::kDriftLeft, 0, 10, 395.1f, "", OFishingField::kDriftLeft},
      {OFishingField::kDriftRightEnd, 0, 10, 404.9f, "", OFishingField::kDriftRightEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "substate " << c.substate << ", " << c.ticks << " ticks");
    // Set up by a left move of 30 (substate 2), then the case's own values.
    Reset({{0, 2, -1}, {30, 70, 30}});
    Patterns(1, "left");
    mField->SetFishKind(1);
    mRod.x = 400;
    mField->SetRodState(OFishingField::kBite);
    mField->SetSubstate(c.substate);
    if (c.targetX) mField->SetTargetX(c.targetX);
    mRod.shown.clear();
    for (int i = 0; i < c.ticks; ++i) mField->Tick();
    EXPECT_NEAR(mRod.x, c.x, 0.01);
    EXPECT_EQ(mRod.y, 520) << "on the surface";
    EXPECT_EQ(mRod.GetShownState(), c.shown);
    EXPECT_EQ(mField->GetSubstate(), c.wantSubstate);
  }
}

TEST_F(FishingFieldTest, OneCrucianInThreeIsTheKeyFishUntilOneIsLanded) {
  struct Case {
    int kind;
    bool keyBefore;
    std::vector<Draw> draws;
    const char* landed;
    bool keyAfter;
  } cases[] = {
      {1, false, {{0, 2, 0}}, "fishing_crucian_key", true}, {1, false, {{0, 2, 1}}, "fishing_crucian", false},
      {1, false, {{0, 2, 2}}, "fishing_crucian", false},    {1, true, {{0, 2, 0}}, "fishing_crucian", true},
      {2, false, {{0, 2, 0}}, "fishing_carp", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.landed);
    Reset(c.draws);
    Restore(OFishingField::kStrike, 0, c.kind, 0, 50);
    mField->SetKeyCaught(c.keyBefore);
    mField->Tick();
    EXPECT_EQ(mRod.landed, std::vector<str>{c.landed});
    EXPECT_EQ(mField->IsKeyCaught(), c.keyAfter);
  }
}

TEST_F(FishingFieldTest, TheSavedRecordBringsTheRodBack) {
  Reset({{0, 2, 1}, {0, 1, 0}, {30, 70, 45}});
  Patterns(2, "left_and_right");
  mField->ClickWater(250, 300);
  mField->SetFishKind(2);
  mField->SetRodState(OFishingField::kBite);
  mField->Tick();
  mField->SetKeyCaught(true);
  TXmlNode saved("fishing");
  mField->Write(&saved);
  EXPECT_EQ(saved.GetAttribute("rod_state"), "right_start");

  StandInRod rod;
  TRandom random(7);
  OFishingField back(&rod, &random);
  back.SetRect(100, 260, 700, 440);
  back.SetStart(400, 520);
  size_t reports = ReportCount();
  back.Restore(&saved);
  EXPECT_EQ(ReportCount(), reports);
  TXmlNode again("fishing");
  back.Write(&again);
  EXPECT_TRUE(again.SameTreeAs(saved)) << again.AsString() << " / " << saved.AsString();
  EXPECT_EQ(rod.shown, std::vector<str>{"right_start"});
}

TEST_F(FishingFieldTest, ADamagedRecordIsReportedAndHeldToWhatTheGameReaches) {
  // Changes to a float resting on the water at (300,520), home (400,520).
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> changes;
    int state, substate;
    const char* rodX;  // as written back
    const char* rodY;
    int waitTime, fishKind, clickX, clickY;
  } cases[] = {
      {"a float far off", {{"rod_x", "2147483647"}}, 3, 0, "750", "520", -1, 1, 300, 400},
      {"a float above the water", {{"rod_y", "-2147483648"}}, 3, 0, "300", "520", -1, 1, 300, 400},
      {"a wait below -1", {{"wait_time", "-2147483648"}}, 3, 0, "300", "520", -1, 1, 300, 400},
      {"an unknown fish", {{"ft", "9"}}, 3, 0, "300", "520", -1, 5, 300, 400},
      // A rod no game reaches comes down to home, as in a new game.
      {"rod state 2", {{"state", "2"}}, 0, 7, "400", "20", -1, 0, 300, 400},
      {"rod state 5", {{"state", "5"}}, 0, 7, "400", "20", -1, 0, 300, 400},
      {"rod state -1", {{"state", "-1"}}, 0, 7, "400", "20", -1, 0, 300, 400},
      {"a drop that is no drop",
       {{"state", "1"}, {"rod_state", "normal"}},
       0,
       7,
       "400",
       "20",
       -1,
       0,
       300,
       400},
      {"substate 2 at home", {{"state", "0"}, {"substate", "2"}}, 0, 7, "400", "20", -1, 0, 300, 400},
      // Reachable states, the rod and the cast put where they belong.
      {"home off its place", {{"state", "0"}, {"rod_state", "normal"}}, 0, 0, "400", "420", -1, 1, 300, 400},
      {"a cast from off the water",
       {{"state", "0"}, {"substate", "8"}, {"click_x", "900"}, {"click_y", "50"}},
       0,
       8,
       "400",
       "420",
       -1,
       1,
       700,
       260},
      {"a strike's wait on the water",
       {{"state", "6"}, {"wait_time", "10"}},
       6,
       0,
       "400",
       "20",
       10,
       1,
       300,
       400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TXmlNode saved("fishing");
    const std::pair<const char*, const char*> resting[] = {
        {"state", "3"},      {"substate", "0"},  {"rod_state", "rest"}, {"rod_x", "300"}, {"rod_y", "520"},
        {"wait_time", "-1"}, {"click_x", "300"}, {"click_y", "400"},    {"ft", "1"},      {"biting", "0"}};
    for (const auto& attribute : resting) saved.SetAttribute(attribute.first, attribute.second);
    for (const auto& change : c.changes) saved.SetAttribute(change.first, change.second);
    Reset({});
    size_t reports = ReportCount();
    mField->Restore(&saved);
    EXPECT_GT(ReportCount(), reports);
    TXmlNode again("fishing");
    mField->Write(&again);
    EXPECT_EQ(mField->GetRodState(), c.state);
    EXPECT_EQ(mField->GetSubstate(), c.substate);
    EXPECT_EQ(again.GetAttribute("rod_x"), c.rodX);
    EXPECT_EQ(again.GetAttribute("rod_y"), c.rodY);
    EXPECT_EQ(mField->GetWaitTime(), c.waitTime);
    EXPECT_EQ(mField->GetFishKind(), c.fishKind);
    EXPECT_EQ(mField->GetClickX(), c.clickX);
    EXPECT_EQ(mField->GetClickY(), c.clickY);
  }
}

TEST_F(FishingFieldTest, TheStartAndTheWaterAreHeldToTheBoundsOfContentCoordinates) {
  std::unique_ptr<TXmlNode> state(new TXmlNode());
  ASSERT_TRUE(
      state->ParseString("<state><start_point x='2147483647' y='-2147483648'/>"
                         "<fishing_rect x1='-2147483648' y1='0' x2='2147483647' y2='600'/></state>"));
  StandInRod rod;
  TRandom random(7);
  OFishingField field(&rod, &random);
  field.Configure(state.get());
  field.Start();  // the rod comes down from above its home
  EXPECT_EQ(rod.x, float(kContentNumberLimit));
  EXPECT_EQ(rod.y, float(-kContentNumberLimit - 100 - 400));
}

// The basket and the scene in the game: the fixtures' content, with the
// fish in the guide.
class FishingSceneTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    AddToGuide(
        "<fishing_carp type='fish'><gvobject name='x'>anim/</gvobject></fishing_carp>"
        "<fishing_perch type='fish'><gvobject name='x'>anim/</gvobject></fishing_perch>"
        "<fishing_rod><gvobject name='x'>anim/</gvobject></fishing_rod>");
    TXmlNode strip;
    ASSERT_TRUE(strip.ParseString(
        "<inventory><cells totalCells='3' width='10' height='10'><p x='0' y='0'/></cells></inventory>"));
    TWindowStyle style;
    mPanel.GetInventory(GGamePanel::kFishingInventory)->LoadCells(style, &strip);
  }
  GInventory* Basket() { return mPanel.GetInventory(GGamePanel::kFishingInventory); }
  str Contents() {
    str out;
    for (GInventoryCell* cell : Basket()->GetCells())
      out += cell->GetItem() ? cell->GetItem()->GetName() + " " : "- ";
    return out;
  }
  GGamePanel mPanel;
};

TEST_F(FishingSceneTest, AFullBasketGivesItsFirstCellToTheNewFish) {
  const char* const fish[] = {"fishing_carp", "fishing_carp", "fishing_carp", "fishing_perch"};
  const char* const after[] = {"fishing_carp - - ", "fishing_carp fishing_carp - ",
                               "fishing_carp fishing_carp fishing_carp ",
                               "fishing_perch fishing_carp fishing_carp "};
  for (int i = 0; i < 4; ++i) {
    GFishingScene::PutIntoBasket(Basket(), OItemFactory::CreateForInventory(fish[i], nullptr));
    EXPECT_EQ(Contents(), after[i]);
  }
}

TEST_F(FishingSceneTest, TheBuilderMakesTheGameAndTheBasketDiesWithIt) {
  TXmlNode state;
  ASSERT_TRUE(state.ParseString("<state type='mini_game'><mini_game id='fishing' panel='true'/></state>"));
  EXPECT_TRUE(CanBuildSceneState(&state, "pier_fishing"));
  GScene* scene = BuildScene(&state);
  ASSERT_NE(scene, nullptr);
  ASSERT_TRUE(scene->IsKindOf(GFishingScene::ClassId()));
  // As the builder does with the game's panel.
  scene->AttachPanel(&mPanel);
  mPanel.SetClient(scene);
  EXPECT_EQ(mPanel.GetParent(), scene);
  GFishingScene::PutIntoBasket(Basket(), OItemFactory::CreateForInventory("fishing_carp", nullptr));
  EXPECT_FALSE(static_cast<GFishingScene*>(scene)->IsFishingInventoryFull());
  delete scene;
  EXPECT_EQ(mPanel.GetClient(), nullptr);
  EXPECT_EQ(mPanel.GetParent(), nullptr);
  EXPECT_EQ(Contents(), "- - - ");
}

TEST_F(FishingSceneTest, TheGameEndsOnceAndAnEmptyExitSceneIsThisSceneAgain) {
  OGame* game = OGame::GetInstance();
  const str here = game->GetCurrentSceneId();
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  TXmlNode state;
  ASSERT_TRUE(state.ParseString(
      "<state type='mini_game'><mini_game id='fishing'/><fishing_rect x1='100' y1='260' x2='700' y2='440'/>"
      "<exit_rod_id id='fishing_rod'/><exit_key_id "
      "id='pier_key'/><lose_flag flag_name='fish_none' flag_value='true'/></state>"));
  GFishingScene scene;
  scene.SetConfigNode(&state);
  scene.AttachPanel(&mPanel);
  scene.SetState(GScene::kActive);
  size_t reports = ReportCount();
  scene.OnDoneClick();
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("fish_none"), "true");
  EXPECT_EQ(scene.GetState(), GScene::kFadeOutScene);
  EXPECT_EQ(game->GetCurrentSceneId(), here);
  EXPECT_EQ(ReportCount(), reports) << "the empty exit scene is no scene to refuse";
  EXPECT_EQ(GMousePointer::GetInstance()->GetHeldItem(), nullptr) << "nothing in the hand before the dark";

  // Finished: no button nor click acts again.
  OFlagsRegistry::GetInstance()->SetValue("fish_none", "again");
  scene.Resume();
  scene.OnDoneClick();
  scene.OnMouseDown(TPoint(300, 350));
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("fish_none"), "again");
  EXPECT_EQ(scene.GetField().GetSubstate(), OFishingField::kStill);
  // Nor does the rod, though nothing holds the scene: a fish waiting above
  // the water one tick from landing never lands, and the end of a state
  // run of the rod moves nothing.
  OFishingField& field = scene.GetField();
  field.SetRodState(OFishingField::kStrike);
  field.SetSubstate(OFishingField::kStill);
  field.SetFishKind(2);
  field.SetWaitTime(49);
  ASSERT_FALSE(scene.IsPaused());
  scene.OnTaskAnimate();
  scene.OnTaskAnimate();
  scene.OnStateEnd(nullptr, TState::FromCStr("foul"));
  EXPECT_EQ(field.GetRodState(), OFishingField::kStrike);
  EXPECT_EQ(field.GetWaitTime(), 49);
  EXPECT_EQ(field.GetSubstate(), OFishingField::kStill);
  EXPECT_EQ(Contents(), "- - - ");

  scene.SetState(GScene::kFadedOutScene);
  IItem* held = GMousePointer::GetInstance()->GetHeldItem();
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->GetName(), "fishing_rod");
  scene.DetachPanel();
}

}  // namespace
