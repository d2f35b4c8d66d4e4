#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "VisualTestUtil.h"
#include "sdk/TSprite.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GZInterpolator.h"

namespace {

std::unique_ptr<GBaseInterpolator> MakeSpline(const TSpriteRef& sprite, const char* xml) {
  auto node = ParseXml(xml);
  return std::unique_ptr<GBaseInterpolator>(GBaseInterpolator::Create(sprite, node.get()));
}

float X(const TSpriteRef& s) {
  return s->GetPosition().x;
}
float Y(const TSpriteRef& s) {
  return s->GetPosition().y;
}

}  // namespace

TEST(SplineInterpolator, WalksStraightSegmentsAndRestsOnTheLastPoint) {
  TSpriteRef sprite = TSprite::Create(0);
  auto ip = MakeSpline(sprite, "<ip name='spline' coords='0,0,100,0' time='160' quant='16'/>");
  ASSERT_TRUE(ip);
  EXPECT_FLOAT_EQ(10, X(sprite));  // the update made while loading
  for (int i = 2; i <= 9; ++i) {
    EXPECT_TRUE(ip->Update());
    EXPECT_FLOAT_EQ(10.f * i, X(sprite));
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(ip->Update());
    EXPECT_FLOAT_EQ(100, X(sprite));
  }
}

TEST(SplineInterpolator, CasesFromXml) {
  struct Case {
    const char* xml;
    int updates;  // after loading
    float x, y;
    bool last;  // result of the last update made
  };
  const Case cases[] = {
      // "start" 3: the update while loading and two more wait; the fourth moves.
      {"<ip name='spline' coords='0,0,100,0' time='160' start='3'/>", 2, 0, 0, true},
      {"<ip name='spline' coords='0,0,100,0' time='160' start='3'/>", 3, 10, 0, true},
      // One point: placed there, and the path is over.
      {"<ip name='spline' coords='7,9' time='160'/>", 1, 7, 9, false},
      // A run of no time stands on its last point at once.
      {"<ip name='spline' coords='0,0,50,60' time='0'/>", 0, 50, 60, true},
      {"<ip name='spline' coords='0,0,50,60'/>", 1, 50, 60, false},
      // Only the first number may be negative; any non-digit separates.
      {"<ip name='spline' coords='-20, 4 ;x60 -4' time='16'/>", 1, 60, 4, false},
      // A looping path shows its last point once, then starts over.
      {"<ip name='spline' coords='0,0,32,0' time='32' loop='1'/>", 1, 32, 0, false},
      {"<ip name='spline' coords='0,0,32,0' time='32' loop='1'/>", 2, 16, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    TSpriteRef sprite = TSprite::Create(0);
    auto ip = MakeSpline(sprite, c.xml);
    ASSERT_TRUE(ip);
    bool result = true;
    for (int i = 0; i < c.updates; ++i) result = ip->Update();
    EXPECT_FLOAT_EQ(c.x, X(sprite));
    EXPECT_FLOAT_EQ(c.y, Y(sprite));
    if (c.updates > 0) {
      EXPECT_EQ(c.last, result);
    }
  }
}

TEST(SplineInterpolator, StartsFromTheSpriteAndIsRefusedUnderAnotherName) {
  TSpriteRef sprite = TSprite::Create(0);
  sprite->SetPosition(TVec3(40.7f, -20.2f, 0));
  auto ip = MakeSpline(sprite, "<ip name='spline' from_current='true' coords='80,20' time='32'/>");
  ASSERT_TRUE(ip);
  auto* spline = static_cast<GSplineInterpolator*>(ip.get());
  ASSERT_EQ(2u, spline->points.size());
  EXPECT_EQ(GSplineInterpolator::Point(40, -20), spline->points[0]);
  EXPECT_FLOAT_EQ(60, X(sprite));

  EXPECT_FALSE(MakeSpline(sprite, "<ip name='line' coords='0,0,1,1' time='16'/>"));
  EXPECT_FALSE(MakeSpline(sprite, "<ip coords='0,0,1,1' time='16'/>"));
}

TEST(SplineInterpolator, SetLineReaimsAndResetRestarts) {
  TSpriteRef first = TSprite::Create(0), second = TSprite::Create(0);
  auto ip = MakeSpline(first, "<ip name='spline' coords='0,0,100,0' time='160' loop='1' quant='8'/>");
  auto* spline = static_cast<GSplineInterpolator*>(ip.get());
  spline->SetLine(64, 1, second, {0, 0}, {0, 40});
  EXPECT_EQ(second, spline->target);
  EXPECT_FLOAT_EQ(0, Y(second));
  EXPECT_TRUE(spline->Update());  // the start delay
  EXPECT_FLOAT_EQ(0, Y(second));
  EXPECT_TRUE(spline->Update());
  EXPECT_FLOAT_EQ(10, Y(second));
  for (int i = 0; i < 3; ++i) spline->Update();
  EXPECT_FALSE(spline->Update());  // no loop after SetLine
  EXPECT_FLOAT_EQ(40, Y(second));

  spline->Reset();
  spline->Update();
  EXPECT_FLOAT_EQ(10, Y(second));
}

namespace {

class ZInterpolator : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenHeadlessRenderer();
    GVFactory* f = GVFactory::GetInstance();
    f->drawList = &list;
    f->imageFolder = "visual/anim/";
    f->descriptionFolder = "interp/xml/";
  }
  // Loads the states onto a new object of the description; null when refused.
  std::unique_ptr<GZInterpolator> Make(const char* states, const char* description = "walker") {
    GVObject* object = GVFactory::GetInstance()->CreateObject(nullptr, description);
    if (!object) return nullptr;
    auto node = ParseXml(states);
    std::unique_ptr<GZInterpolator> z(new GZInterpolator);
    if (!z->Load(node.get(), object)) {
      delete object;
      return nullptr;
    }
    return z;
  }
  str CurrentId(GZInterpolator& z) { return z.GetCurrentState() ? z.GetCurrentState()->id : str("-"); }
  GVDrawList list;
};

}  // namespace

TEST_F(ZInterpolator, RunsValuesOverTheDurationAndMovesOn) {
  auto z = Make(
      "<states default='a'>"
      "<state id='a' vstate='walk' time='160' scale='1,2' alpha='1,0.5,0' coords='-10,5,10,-5' next_id='b'/>"
      "<note/>"
      "<state id='b' vstate='stand' time='32' rotate='3'/>"
      "</states>");
  ASSERT_TRUE(z);
  GVObject* o = z->GetObject();
  EXPECT_EQ(2u, z->GetStates().size());  // other children are skipped
  EXPECT_EQ("a", CurrentId(*z));
  EXPECT_FLOAT_EQ(1, o->scaling);
  EXPECT_FLOAT_EQ(-10, o->deltaX);
  EXPECT_EQ(TState::FromCStr("walk"), o->GetChild("main")->GetState());

  z->SetOffset(100, 50);
  z->Update();
  EXPECT_FLOAT_EQ(1.1f, o->scaling);
  EXPECT_FLOAT_EQ(0.9f, o->alpha);
  EXPECT_FLOAT_EQ(92, o->deltaX);
  EXPECT_FLOAT_EQ(54, o->deltaY);
  for (int i = 0; i < 8; ++i) z->Update();
  EXPECT_EQ("a", CurrentId(*z));
  z->Update();  // elapsed reaches 160
  EXPECT_EQ("b", CurrentId(*z));
  EXPECT_FLOAT_EQ(3, o->rotate);
  EXPECT_EQ(TState::FromCStr("stand"), o->GetChild("main")->GetState());
  z->Update();
  z->Update();
  EXPECT_EQ(-1, z->GetCurrent());  // no next ids: stopped with its values
  EXPECT_TRUE(z->Update());
  EXPECT_FLOAT_EQ(3, o->rotate);
}

TEST_F(ZInterpolator, DrawsDurationsAndNextStatesAtRandom) {
  auto z = Make(
      "<states default='hub'>"
      "<state id='hub' time='100,200' next_id='a,,b,c'/>"
      "<state id='a' time='16' next_id='hub'/><state id='b' time='16' next_id='hub'/>"
      "<state id='c' time='16' next_id='hub'/>"
      "</states>");
  ASSERT_TRUE(z);
  std::set<int> durations;
  std::set<str> visited;
  for (int round = 0; round < 60; ++round) {
    ASSERT_EQ("hub", CurrentId(*z));
    int d = z->GetCurrentState()->duration;
    EXPECT_GE(d, 100);
    EXPECT_LE(d, 200);
    durations.insert(d);
    int guard = 0;
    while (CurrentId(*z) == "hub" && guard++ < 20) z->Update();
    visited.insert(CurrentId(*z));
    z->Update();
  }
  EXPECT_GT(durations.size(), 1u);  // drawn again on every entry
  EXPECT_EQ((std::set<str>{"a", "b", "c"}), visited);
}

TEST_F(ZInterpolator, AStateWithoutTimeLastsUntilMainEndsItsVisualState) {
  auto z = Make(
      "<states default='walking'>"
      "<state id='walking' vstate='walk' scale='1,4' next_id='resting'/>"
      "<state id='resting' vstate='stand' time='1000'/>"
      "</states>");
  ASSERT_TRUE(z);
  for (int i = 0; i < 10; ++i) z->Update();
  EXPECT_EQ("walking", CurrentId(*z));
  EXPECT_FLOAT_EQ(1, z->GetObject()->scaling);  // a run of unknown length does not scale
  Advance(450);
  EXPECT_EQ("resting", CurrentId(*z));
}

TEST_F(ZInterpolator, RefusedOrStoppedContent) {
  // A state that waits for "main" on an object without one: refused whole.
  EXPECT_FALSE(Make("<states default='a'><state id='a' vstate='walk'/></states>", "headless"));
  // With times on every state the child is not needed.
  EXPECT_TRUE(Make("<states default='a'><state id='a' time='16'/></states>", "headless"));

  // A duration of 0 shows the last values at the first update.
  auto zero = Make("<states default='a'><state id='a' time='0' scale='1,3' coords='0,0,8,9'/></states>");
  ASSERT_TRUE(zero);
  zero->Update();
  EXPECT_FLOAT_EQ(3, zero->GetObject()->scaling);
  EXPECT_FLOAT_EQ(8, zero->GetObject()->deltaX);
  EXPECT_EQ(-1, zero->GetCurrent());

  // Unknown default or next id: stopped, without an error.
  auto lost = Make("<states default='nowhere'><state id='a' time='16'/></states>");
  ASSERT_TRUE(lost);
  EXPECT_EQ(-1, lost->GetCurrent());
  EXPECT_TRUE(lost->Update());
  auto dangling = Make("<states default='a'><state id='a' time='16' next_id='gone'/></states>");
  dangling->Update();
  EXPECT_EQ(-1, dangling->GetCurrent());
}
