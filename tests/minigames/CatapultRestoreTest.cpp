// A damaged catapult save: each value no game reaches is reported in one
// line and held to what a game reaches, and the restored game still plays
// to its win.

#include <functional>

#include "CatapultTestUtil.h"
#include "sdk/TReport.h"

namespace {

// A game with one ship a fifth of the way along path "a", two of its
// three ships launched, no stone in the air.
const char* const kSaved =
    "<catapult ticks='5' total_ships='2' next_ship_time='40' ft='-1' lcx='0' lcy='0'>"
    "<ships><ship x='100' y='20' z='20' s='0.3' destroyed='0' finished='0' hit='0' speed='1.002' ctime='20' "
    "path='a' state='normal'/></ships>"
    "<pathes><path id='a' ships='1'/><path id='b' ships='0'/></pathes>"
    "<cursor x='50' y='50' r='140' p='70' dx='2' dy='2'/></catapult>";

class CatapultRestore : public CatapultTest {
 protected:
  // The saved game with `from` replaced by `to`, restored; the lines the
  // restore reported.
  size_t Restore(const str& from, const str& to) {
    Make(FieldXml("max_ship_per_path='2' max_ships='3' min_interval='30' max_interval='40'", TwoPaths()));
    str text = kSaved;
    if (!from.empty()) {
      size_t at = text.find(from);
      EXPECT_NE(at, str::npos) << from;
      if (at != str::npos) text.replace(at, from.size(), to);
    }
    TXmlNode saved;
    EXPECT_TRUE(saved.ParseString(text));
    size_t before = ReportCount();
    field->Restore(&saved);
    return ReportCount() - before;
  }
  GCatapultShip* Ship() { return field->GetShips().at(0); }
  str SavedCursor(const char* name) {
    TXmlNode node;
    field->Save(&node);
    return node.GetChild("cursor")->GetAttribute(name);
  }
  // Plays on as a player who hits every ship at once: a hit ship leaves
  // when its "destroy" run ends, and only then.
  GCatapultField::Outcome PlayOut() {
    const TState destroy = TState::FromCStr("destroy");
    for (int t = 0; t < 2000 && field->GetOutcome() == GCatapultField::kPlaying; ++t) {
      for (GCatapultShip* ship : field->GetShips()) {
        if (Main(ship)->GetState() == destroy)
          ship->OnStateEnd(Main(ship), destroy);
        else if (!ship->mHit)
          ship->Hit();
      }
      Tick();
    }
    return field->GetOutcome();
  }
};

TEST_F(CatapultRestore, AValueNoGameReachesIsReportedAndHeld) {
  struct Case {
    const char* from;
    const char* to;
    std::function<void()> check;
  } cases[] = {
      {"", "", [this] { EXPECT_FLOAT_EQ(Ship()->mProgress, 20); }},
      // Counts: no fewer launched than afloat; a path counts what sails on it.
      {"total_ships='2'", "total_ships='-3'", [this] { EXPECT_EQ(field->mTotalShips, 1); }},
      {"total_ships='2'", "total_ships='90'", [this] { EXPECT_EQ(field->mTotalShips, 3); }},
      {"<path id='a' ships='1'/>", "<path id='a' ships='-2'/>",
       [this] { EXPECT_EQ(field->FindPath("a")->mShips, 1); }},
      {"<path id='b' ships='0'/>", "<path id='b' ships='2'/>",
       [this] { EXPECT_EQ(field->FindPath("b")->mShips, 0); }},
      // The schedule.
      {"ticks='5'", "ticks='-2147483648'", [this] { EXPECT_EQ(field->mTicks, 0); }},
      {"next_ship_time='40'", "next_ship_time='2147483647'", [this] { EXPECT_EQ(field->mNextShipTime, 40); }},
      // The aim, brought inside its bounds, where it can be steered again.
      {"<cursor x='50'", "<cursor x='5000'",
       [this] {
         GCatapultCursor& aim = field->GetCursor();
         EXPECT_FLOAT_EQ(aim.GetX(), 99);
         aim.MoveLeft();
         EXPECT_LT(aim.GetX(), 99);
       }},
      {"y='50' r", "y='-1e308' r", [this] { EXPECT_FLOAT_EQ(field->GetCursor().GetY(), 0); }},
      {"dx='2'", "dx='1e308'", [this] { EXPECT_FLOAT_EQ(field->GetCursor().GetSpeedX(), 2); }},
      {"r='140'", "r='2147483647'", [this] { EXPECT_EQ(SavedCursor("r"), "140.000000"); }},
      // A stone in the air flies no longer than the way to its target.
      {"ft='-1'", "ft='2147483647'", [this] { EXPECT_EQ(field->mFlight, 100); }},
      {"ft='-1' lcx='0'", "ft='10' lcx='5000'", [this] { EXPECT_EQ(field->mTargetX, 99); }},
      // The ship: hit, it breaks up; its numbers finite and on its way.
      {"hit='0'", "hit='1'", [this] { EXPECT_EQ(Main(Ship())->GetState(), TState::FromCStr("destroy")); }},
      {"speed='1.002'", "speed='1e308'", [this] { EXPECT_FLOAT_EQ(Ship()->mSpeed, 1); }},
      {"speed='1.002'", "speed='2147483647'", [this] { EXPECT_FLOAT_EQ(Ship()->mSpeed, 1); }},
      {"ctime='20'", "ctime='1e308'", [this] { EXPECT_FLOAT_EQ(Ship()->mProgress, 0); }},
      {"ctime='20'", "ctime='2147483647'", [this] { EXPECT_FLOAT_EQ(Ship()->mProgress, 0); }},
      {"<ship x='100'", "<ship x='1e308'", [this] { EXPECT_FLOAT_EQ(Ship()->mX, 100); }},
      {"y='20'", "y='2147483647'", [this] { EXPECT_FLOAT_EQ(Ship()->mY, 20); }},
      {"z='20'", "z='1e308'", [this] { EXPECT_FLOAT_EQ(Ship()->mDepth, 20); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.to);
    EXPECT_EQ(Restore(c.from, c.to), *c.from ? 1u : 0u);
    c.check();
    EXPECT_EQ(PlayOut(), GCatapultField::kWon);
  }
}

}  // namespace
