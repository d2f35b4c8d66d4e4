// The mirrors game's board on its own, with a hand of its own: clicks on
// free and laid markers, the check of the required markers, the flight up
// and its arrival, the win animation, the glint of a laid mirror, and a
// restored board.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "minigames/mirrors/GMirrorsField.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"
#include "visual/GVFactory.h"

namespace {

// Markers 60 by 60 from their top-left corner; the board; a win object
// whose child runs normal, main5, then finish.
const char* const kMarker =
    "<main id='marker'><objects>"
    "<obj id='main'><images><img name='block.png'/></images><framelist centering='left'><frame x='0' y='0' "
    "w='60' h='60'/></framelist>"
    "<states><state id='normal' framelist='0'/><state id='anim' framelist='0'/></states></obj>"
    "<obj id='hilight'><images><img name='block.png'/></images><framelist centering='left'><frame x='0' "
    "y='0' w='60' h='60'/></framelist>"
    "<states><state id='normal' framelist='0'/></states></obj>"
    "</objects></main>";
const char* const kBoard =
    "<main id='board'><images><img name='block.png'/></images><framelist centering='left'><frame x='0' y='0' "
    "w='500' h='400'/></framelist>"
    "<states><state id='normal' framelist='0'/></states></main>";
const char* const kWin =
    "<main id='win'><objects><obj id='main'><images><img name='block.png'/></images>"
    "<framelist centering='left'><frame x='0' y='0' w='10' h='10'/></framelist>"
    "<states><state id='normal' framelist='0,0' defdelay='50' nextstate='main5'/>"
    "<state id='main5' framelist='0,0' defdelay='50' nextstate='finish'/>"
    "<state id='finish' framelist='0,0' defdelay='50'/></states>"
    "</obj></objects></main>";

GVObject* MakeFrom(const char* xml) {
  TXmlNode node;
  if (!node.ParseString(xml)) return nullptr;
  return GVFactory::GetInstance()->CreateObject(&node, "");
}

struct FakeHand {
  str held;
  std::vector<str> given;
  std::set<str> pieces;  // the game's mirrors; none named: every item is one
  GMirrorsField::Hand Get() {
    return GMirrorsField::Hand{[this] { return held; }, [this] { held.clear(); },
                               [this](const str& name) {
                                 given.push_back(name);
                                 held = name;
                                 return true;
                               },
                               [this](const str& name) { return pieces.empty() || pieces.count(name) > 0; }};
  }
};

class MirrorsFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    GVFactory* factory = GVFactory::GetInstance();
    factory->drawList = &mList;
    factory->imageFolder = "visual/anim/";
    mField.SetObjectMaker([](const str& path) -> GVObject* {
      if (path == "mirrors_field") return MakeFrom(kBoard);
      if (path == "mirrors_win") return MakeFrom(kWin);
      if (path == "marker") return MakeFrom(kMarker);
      return nullptr;
    });
    mField.SetHand(mHand.Get());
    mField.SetFinishHandler([this](bool won) { mEnds.push_back(won); });
    mField.SetAnimationStarter([this] { ++mStarts; });
  }
  void TearDown() override { GVFactory::GetInstance()->drawList = nullptr; }

  // Markers at (100, 100), (200, 100) and (150, 100) (overlapping the other
  // two), their "r" as given.
  void Load(const char* r = "110", int minAnim = 1000, int maxAnim = 1000) {
    TXmlNode field("field");
    field.SetAttribute("move_speed", "30");
    field.SetAttribute("move_y", "-500");
    field.SetAttribute("min_marker_anim_time", str::format("%d", minAnim));
    field.SetAttribute("max_marker_anim_time", str::format("%d", maxAnim));
    TXmlNode* mirrors = field.CreateChild("mirrors");
    mirrors->SetAttribute("marker", "marker");
    const int xs[] = {100, 200, 150};
    for (int i = 0; i < 3; ++i) {
      TXmlNode* m = mirrors->CreateChild("m");
      m->SetAttribute("x", str::format("%d", xs[i]));
      m->SetAttribute("y", "100");
      m->SetAttribute("r", str(1, r[i]));
    }
    ASSERT_TRUE(mField.Load(&field));
  }
  GMirrorsMarker* Marker(int i) { return mField.GetMarkers()[size_t(i)]; }
  void Lay(int i, const char* name) {
    mHand.held = name;
    mField.OnClick(TPoint(int(Marker(i)->x) + 25, 130));  // clear of the others
  }

  GVDrawList mList;
  GMirrorsField mField;
  FakeHand mHand;
  std::vector<bool> mEnds;
  int mStarts = 0;
};

TEST_F(MirrorsFieldTest, ClicksOnFreeAndLaidMarkersWithFullAndEmptyHands) {
  Load();
  // A free marker and an empty hand: nothing.
  mField.OnClick(TPoint(130, 130));
  EXPECT_FALSE(Marker(0)->v);
  // Any item in the hand is laid; the marker keeps its name.
  mHand.held = "ring";
  mField.OnClick(TPoint(100, 100));  // the corner, edges included
  EXPECT_TRUE(Marker(0)->v);
  EXPECT_EQ(Marker(0)->id, "ring");
  EXPECT_EQ(Marker(0)->object->visible, 1);
  EXPECT_EQ(mHand.held, "");
  // A laid marker and a full hand: nothing.
  mHand.held = "mirrors_mirror2";
  mField.OnClick(TPoint(159, 159));
  EXPECT_TRUE(Marker(0)->v);
  EXPECT_EQ(mHand.held, "mirrors_mirror2");
  // Over two markers, only the first in order is clicked.
  mHand.held.clear();
  mField.OnClick(TPoint(155, 130));
  EXPECT_FALSE(Marker(0)->v);
  EXPECT_EQ(mHand.given, std::vector<str>{"ring"});
  EXPECT_EQ(mHand.held, "ring");
  EXPECT_EQ(Marker(0)->object->visible, 0);
  EXPECT_FALSE(Marker(2)->v);
  // Outside every marker: nothing.
  mField.OnClick(TPoint(99, 130));
  EXPECT_FALSE(Marker(0)->v);
  EXPECT_EQ(mHand.held, "ring");
}

TEST_F(MirrorsFieldTest, TheCheckNeedsEveryRequiredMarkerAndNoOther) {
  struct Case {
    const char* r;
    const char* laid;  // the markers with a mirror
    int state;
  } cases[] = {
      {"110", "110", GMirrorsField::kSolved}, {"110", "111", GMirrorsField::kSolved},
      {"110", "101", GMirrorsField::kFailed}, {"110", "000", GMirrorsField::kFailed},
      {"000", "000", GMirrorsField::kSolved}, {"011", "011", GMirrorsField::kSolved},
  };
  for (const Case& c : cases) {
    Load(c.r);
    for (int i = 0; i < 3; ++i)
      if (c.laid[i] == '1') Lay(i, "mirror");
    mField.Check();
    EXPECT_EQ(mField.GetState(), c.state) << c.r << " " << c.laid;
    for (GMirrorsMarker* m : mField.GetMarkers()) EXPECT_TRUE(m->m);
  }
  // After the check nothing the player does changes the board.
  Load();
  mField.Check();
  Lay(0, "mirror");
  EXPECT_FALSE(Marker(0)->v);
  mField.Check();
  EXPECT_EQ(mField.GetState(), GMirrorsField::kFailed);
}

TEST_F(MirrorsFieldTest, TheBoardArrivesOnTheEighteenthTickAndALossEndsThere) {
  Load("100");
  mField.Check();
  ASSERT_EQ(mField.GetState(), GMirrorsField::kFailed);
  for (int tick = 1; tick <= 17; ++tick) {
    mField.Update();
    ASSERT_FALSE(mField.HasArrived()) << tick;
  }
  EXPECT_EQ(mField.GetBoard()->deltaY, 17 - 17 * 30);
  EXPECT_TRUE(mEnds.empty());
  mField.Update();
  EXPECT_TRUE(mField.HasArrived());
  EXPECT_EQ(mField.GetBoard()->deltaY, -500);
  EXPECT_EQ(mEnds, std::vector<bool>{false});
  EXPECT_EQ(mField.GetWinObject(), nullptr);
  mField.Update();
  EXPECT_EQ(mEnds.size(), 1u);
}

TEST_F(MirrorsFieldTest, ABoardWithoutASpeedStillFliesUp) {
  for (const char* speed : {"0", "-30", "x"}) {
    mEnds.clear();
    TXmlNode field("field");
    field.SetAttribute("move_speed", speed);
    field.CreateChild("mirrors")->CreateChild("m")->SetAttribute("r", "1");
    ASSERT_TRUE(mField.Load(&field));
    mField.Check();
    for (int tick = 0; tick < 18; ++tick) mField.Update();
    EXPECT_EQ(mEnds, std::vector<bool>{false}) << speed;
  }
}

TEST_F(MirrorsFieldTest, TheWinAnimationEndsInAWinAndStartsTheEffectsAtMain5) {
  Load("100");
  Lay(0, "mirror");
  mField.Check();
  for (int tick = 0; tick < 18; ++tick) mField.Update();
  GVObject* win = mField.GetWinObject();
  ASSERT_NE(win, nullptr);
  GVObject* child = win->GetChild("main");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->listener, &mField);
  // The state runs as their ends come: normal, main5, finish.
  mField.OnStateEnd(child, kStateNormal);
  EXPECT_EQ(child->GetState(), TState::FromCStr("main5"));
  EXPECT_EQ(mStarts, 0);
  mField.OnStateEnd(child, TState::FromCStr("main5"));
  EXPECT_EQ(mStarts, 1);
  EXPECT_EQ(child->GetState(), TState::FromCStr("finish"));
  EXPECT_TRUE(mEnds.empty());
  mField.OnStateEnd(child, TState::FromCStr("finish"));
  mField.OnStateEnd(child, TState::FromCStr("finish"));
  EXPECT_EQ(mEnds, std::vector<bool>{true});
  EXPECT_TRUE(mField.IsFinished());
}

TEST_F(MirrorsFieldTest, ALaidMirrorGlintsNowAndThen) {
  // Every tick a glint: only the laid markers ever glint, each of them in time.
  Load("110", 1, 1);
  Lay(0, "a");
  Lay(2, "b");
  std::set<int> glinted;
  for (int tick = 0; tick < 40; ++tick) {
    for (GMirrorsMarker* m : mField.GetMarkers()) m->object->GetChild("main")->SetState(kStateNormal, true);
    mField.Update();
    for (int i = 0; i < 3; ++i)
      if (Marker(i)->object->GetChild("main")->GetState() == TState::FromCStr("anim")) glinted.insert(i);
  }
  EXPECT_EQ(glinted, (std::set<int>{0, 2}));
  // The interval is drawn between the bounds.
  Load("110", 5, 9);
  for (int tick = 0; tick < 30; ++tick) {
    mField.Update();
    EXPECT_GE(mField.GetNextAnimTime(), 5);
    EXPECT_LE(mField.GetNextAnimTime(), 9);
  }
}

TEST_F(MirrorsFieldTest, ARestoredBoardComesBackAndAFinishedFlagDoesNotHoldTheEnd) {
  Load();
  Lay(0, "mirrors_mirror4");
  TXmlNode saved("mirrors");
  mField.Save(&saved);

  Load();
  mField.Restore(&saved);
  EXPECT_TRUE(Marker(0)->v);
  EXPECT_EQ(Marker(0)->id, "mirrors_mirror4");
  EXPECT_EQ(Marker(0)->object->visible, 1);
  EXPECT_FALSE(Marker(1)->v);
  TXmlNode again("mirrors");
  mField.Save(&again);
  EXPECT_EQ(again.AsString(), saved.AsString());

  // A damaged save: failed, finished, the board half-way up.
  for (int state : {GMirrorsField::kFailed, GMirrorsField::kSolved}) {
    mEnds.clear();
    TXmlNode damaged("mirrors");
    damaged.SetAttribute("state", str::format("%d", state));
    damaged.SetAttribute("f", "1");
    damaged.SetAttribute("fx", "124");
    damaged.SetAttribute("fy", "-200");
    Load();
    mField.Restore(&damaged);
    for (int tick = 0; tick < 12; ++tick) mField.Update();
    if (state == GMirrorsField::kFailed) {
      EXPECT_EQ(mEnds, std::vector<bool>{false});
      continue;
    }
    GVObject* win = mField.GetWinObject();
    ASSERT_NE(win, nullptr);
    mField.OnStateEnd(win->GetChild("main"), TState::FromCStr("finish"));
    EXPECT_EQ(mEnds, std::vector<bool>{true});
  }
}

TEST_F(MirrorsFieldTest, OnlyTheGamesMirrorsAreLaidOrComeBackLaid) {
  mHand.pieces = {"mirrors_mirror1", "mirrors_mirror2"};
  Load();
  Lay(0, "ring");
  EXPECT_FALSE(Marker(0)->v);
  EXPECT_EQ(mHand.held, "ring");
  Lay(0, "mirrors_mirror1");
  EXPECT_TRUE(Marker(0)->v);

  // A save lays a marker only with "1" and a mirror of the game; anything
  // else is said and the marker left empty.
  struct Case {
    const char* v;
    const char* id;
    bool laid, reported;
  } cases[] = {
      {"1", "mirrors_mirror2", true, false},
      {"0", "mirrors_mirror2", false, false},
      {"", "mirrors_mirror2", false, false},
      {"2", "mirrors_mirror2", false, true},
      {"yes", "mirrors_mirror2", false, true},
      {"1", "mirrors_mirror99", false, true},
      {"1", "", false, true},
      {"1", "ring", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "v \"" << c.v << "\", id \"" << c.id << "\"");
    TXmlNode saved("mirrors");
    TXmlNode* item = saved.CreateChild("items")->CreateChild("item");
    item->SetAttribute("v", c.v);
    item->SetAttribute("id", c.id);
    Load();
    const size_t reports = ReportCount();
    mField.Restore(&saved);
    EXPECT_EQ(Marker(0)->v, c.laid);
    EXPECT_EQ(Marker(0)->object->visible, c.laid ? 1 : 0);
    EXPECT_EQ(ReportCount() - reports, c.reported ? 1u : 0u);
  }
}

TEST_F(MirrorsFieldTest, APlaceNoGameReachesIsReportedAndPutBack) {
  // Before the check nothing moves; after it the board and the markers rise
  // straight up to move_y (-500). Marker 1 lies at (100, 100), the board at
  // (124, 17).
  struct Case {
    int state;
    const char* where;  // "board" or "marker"
    const char* name;
    const char* value;
    float held;  // the coordinate after the restore
    bool reported;
  } cases[] = {
      {0, "marker", "x", "100", 100, false},   {0, "marker", "x", "1e308", 100, true},
      {0, "marker", "x", "-inf", 100, true},   {0, "marker", "y", "nan", 100, true},
      {0, "marker", "y", "-200", 100, true},   {2, "marker", "y", "-200", -200, false},
      {1, "marker", "y", "-500", -500, false}, {1, "marker", "y", "-501", 100, true},
      {1, "marker", "y", "101", 100, true},    {1, "marker", "x", "101", 100, true},
      {0, "board", "fx", "1e308", 124, true},  {0, "board", "fy", "-200", 17, true},
      {2, "board", "fy", "-200", -200, false}, {2, "board", "fy", "20", 17, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << ", " << c.where << " " << c.name << " "
                                    << c.value);
    TXmlNode saved("mirrors");
    saved.SetAttribute("state", str::format("%d", c.state));
    TXmlNode* item = saved.CreateChild("items")->CreateChild("item");
    item->SetAttribute("v", "1");
    item->SetAttribute("id", "mirrors_mirror1");
    (str(c.where) == "board" ? &saved : item)->SetAttribute(c.name, c.value);
    Load();
    const size_t reports = ReportCount();
    mField.Restore(&saved);
    EXPECT_EQ(ReportCount() - reports, c.reported ? 1u : 0u);
    GVObject* board = mField.GetBoard();
    const float places[] = {Marker(0)->x, Marker(0)->y, board->deltaX, board->deltaY};
    const float homes[] = {100, 100, 124, 17};
    const str names[] = {"x", "y", "fx", "fy"};
    for (int k = 0; k < 4; ++k)
      EXPECT_FLOAT_EQ(places[k], names[k] == c.name ? c.held : homes[k]) << names[k];
    EXPECT_FLOAT_EQ(Marker(0)->object->deltaX, Marker(0)->x);
    EXPECT_FLOAT_EQ(Marker(0)->object->deltaY, Marker(0)->y);
  }

  // A marker saved flying while the game still plays would leave the board.
  TXmlNode saved("mirrors");
  saved.CreateChild("items")->CreateChild("item")->SetAttribute("m", "1");
  Load();
  const size_t reports = ReportCount();
  mField.Restore(&saved);
  EXPECT_EQ(ReportCount() - reports, 1u);
  EXPECT_FALSE(Marker(0)->m);
  for (int tick = 0; tick < 10; ++tick) mField.Update();
  EXPECT_FLOAT_EQ(Marker(0)->y, 100);
}

}  // namespace
