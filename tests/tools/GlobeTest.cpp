// The Vethra globe: turns of one, two and three positions, a new target in
// the middle of a turn, the inactive globe, and its visual stepping the
// turn by itself.

#include <gtest/gtest.h>

#include <vector>

#include "TravelTestUtil.h"
#include "sdk/TPlatform.h"
#include "tools/vethra/GVethraGlobe.h"
#include "visual/GVObject.h"

namespace {

// One step of a case: turn to a position ('r'), the end of the running
// state's frame run ('e'), or activation ('a' on, 'i' off).
struct Step {
  char op;
  int arg;
};

struct GlobeCase {
  const char* name;
  std::vector<Step> steps;
  // The state shown after each step.
  std::vector<const char*> shown;
};

const std::vector<GlobeCase>& Cases() {
  static const std::vector<GlobeCase> cases = {
      {"the first turn shows its position at once, even inactive", {{'r', 2}}, {"2"}},
      {"0 to 3 is one left step", {{'r', 0}, {'r', 3}, {'e', 0}, {'e', 0}}, {"0", "03", "3", "3"}},
      {"0 to 2 is two right steps", {{'r', 0}, {'r', 2}, {'e', 0}, {'e', 0}}, {"0", "01", "12", "2"}},
      {"3 to 1 keeps the way it started", {{'r', 3}, {'r', 1}, {'e', 0}, {'e', 0}}, {"3", "30", "01", "1"}},
      {"a right turn sent back turns left after its step",
       {{'r', 0}, {'r', 2}, {'r', 0}, {'e', 0}, {'e', 0}},
       {"0", "01", "01", "10", "0"}},
      {"a right turn sent on keeps turning right",
       {{'r', 0}, {'r', 2}, {'r', 3}, {'e', 0}, {'e', 0}, {'e', 0}},
       {"0", "01", "01", "12", "23", "3"}},
      {"a left turn sent two further keeps turning left",
       {{'r', 0}, {'r', 3}, {'r', 1}, {'e', 0}, {'e', 0}, {'e', 0}},
       {"0", "03", "03", "32", "21", "1"}},
      {"a left turn sent back turns right after its step",
       {{'r', 0}, {'r', 3}, {'r', 0}, {'e', 0}, {'e', 0}},
       {"0", "03", "03", "30", "0"}},
      {"positions wrap both ways",
       {{'r', 0}, {'r', -1}, {'e', 0}, {'r', 4}, {'e', 0}},
       {"0", "03", "3", "30", "0"}},
      {"asking for the target again changes nothing", {{'r', 1}, {'r', 1}, {'e', 0}}, {"1", "1", "1"}},
      {"inactive, a target is only remembered",
       {{'r', 1}, {'i', 0}, {'r', 3}, {'e', 0}, {'a', 0}},
       {"1", "noactive", "noactive", "noactive", "1"}},
      {"active before any position shows the neutral globe", {{'a', 0}, {'r', 2}}, {"noactive", "2"}},
  };
  return cases;
}

TEST(GlobeTest, TurnsByTheTableOfCases) {
  for (const GlobeCase& c : Cases()) {
    GVethraGlobe globe;
    std::vector<str> shown;
    for (const Step& step : c.steps) {
      if (step.op == 'r') globe.RotateTo(step.arg);
      if (step.op == 'e') globe.OnStateEnd(nullptr, TState());
      if (step.op == 'a') globe.SetActive(true);
      if (step.op == 'i') globe.SetActive(false);
      shown.push_back(globe.GetShownState());
    }
    std::vector<str> expected(c.shown.begin(), c.shown.end());
    EXPECT_EQ(shown, expected) << c.name;
  }
}

TEST(GlobeTest, InactiveGlobeKeepsItsTargetForTheArrows) {
  GVethraGlobe globe;
  globe.RotateTo(1);
  globe.SetActive(false);
  globe.RotateTo(3);
  EXPECT_EQ(globe.GetMode(), GVethraGlobe::kInactive);
  EXPECT_EQ(globe.GetPosition(), 1);
  EXPECT_EQ(globe.GetTarget(), 3);
}

typedef TravelFixture GlobeVisualTest;

// The turn is driven by the visual itself: its turn state's frame run ends
// and the globe goes on, with no call from outside.
TEST_F(GlobeVisualTest, TheVisualsFrameRunsCarryTheTurn) {
  GVethraGlobe globe;
  globe.Build();
  ASSERT_NE(globe.GetVisual(), nullptr);
  GVObject* main = globe.GetVisual()->GetChild("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->GetState().ToStr(), "noactive");
  globe.RotateTo(0);
  globe.RotateTo(2);
  EXPECT_EQ(main->GetState().ToStr(), "01");
  // Two turn states of two frames of 100 ms each.
  for (int i = 0; i < 60 && globe.GetMode() != GVethraGlobe::kIdle; ++i) TPlatform::GetInstance()->Tick(16);
  EXPECT_EQ(globe.GetMode(), GVethraGlobe::kIdle);
  EXPECT_EQ(globe.GetPosition(), 2);
  EXPECT_EQ(main->GetState().ToStr(), "2");
}

}  // namespace
