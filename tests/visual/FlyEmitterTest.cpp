#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "VisualTestUtil.h"
#include "sdk/TEvent.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"
#include "visual/GFlyEmitter.h"
#include "visual/particle_layer.h"

namespace {

str FixturesDir() {
  return TOLVANE_TEST_FIXTURES;
}

TScript* Global() {
  return TWindowManager::GetInstance()->GetScript();
}

TWindowStyle Style(const str& fields) {
  Global()->DoLuaString("gTestStyle = {" + fields + "}");
  return TWindowStyle(Global()->GetGlobalTable("gTestStyle"));
}

std::unique_ptr<GFlyEmitter> MakeEmitter(const str& fields) {
  std::unique_ptr<GFlyEmitter> e(new GFlyEmitter());
  TWindowStyle style = Style(fields);
  e->Init(style);
  return e;
}

std::unique_ptr<particle_layer> MakeLayer(const str& name) {
  std::unique_ptr<particle_layer> layer(new particle_layer());
  TWindowStyle style = Style("name = '" + name + "'");
  layer->Init(style);
  return layer;
}

void InitComplete() {
  ASSERT_TRUE(Global()->DoLuaString("CPP_OnPrtInitComplete()"));
}

class FlyEmitter : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(FixturesDir());
    OpenHeadlessRenderer();
  }
};

TEST_F(FlyEmitter, NumberLists) {
  const struct {
    const char* text;
    std::vector<float> numbers;
  } cases[] = {
      {"0, 0, 100, 0", {0, 0, 100, 0}},
      {"10, -20", {10, 20}},  // the minus sign only separates
      {"", {}},
      {"(3 4)", {3, 4}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNumberList(c.text), c.numbers) << c.text;
}

TEST_F(FlyEmitter, WalksItsPointsThenHides) {
  auto e = MakeEmitter("mover = 'ArrayMove', coords = '0, 0, 100, 0', time = 5, RenderTo = 'nowhere'");
  EXPECT_FALSE(e->IsShown()) << "hidden until started";
  InitComplete();
  EXPECT_EQ(e->GetLayer(), nullptr);
  std::vector<int> xs{e->GetX()};
  EXPECT_TRUE(e->IsShown());
  EXPECT_TRUE(e->GetParticleSystem()->IsActive());
  for (int i = 0; i < 3; ++i) {
    e->Advance(16);
    xs.push_back(e->GetX());
    EXPECT_TRUE(e->IsShown());
  }
  EXPECT_EQ(xs, (std::vector<int>{0, 25, 50, 75}));
  e->Advance(16);
  EXPECT_FALSE(e->IsShown());
  EXPECT_FALSE(e->GetParticleSystem()->IsActive());
  EXPECT_EQ(e->GetX(), 75);

  // A one-step run ends inside its own start: hidden, and not left emitting
  // where nobody sees it.
  auto once = MakeEmitter("time = 1, RenderTo = 'nowhere'");
  InitComplete();
  EXPECT_FALSE(once->IsShown());
  EXPECT_FALSE(once->GetParticleSystem()->IsActive());
}

TEST_F(FlyEmitter, LoopingRunsNeverHide) {
  auto e = MakeEmitter("mover = 'ArrayMove', coords = '0, 0, 100, 0', time = 5, loop = true");
  InitComplete();
  std::vector<int> xs;
  for (int i = 0; i < 9; ++i) {
    xs.push_back(e->GetX());
    e->Advance(16);
    EXPECT_TRUE(e->IsShown());
  }
  EXPECT_EQ(xs, (std::vector<int>{0, 25, 50, 75, 0, 25, 50, 75, 0}));

  // A one-step loop restarts from inside its own finish without recursing.
  auto one = MakeEmitter("time = 1, loop = true");
  InitComplete();
  for (int i = 0; i < 3; ++i) one->Advance(16);
  EXPECT_TRUE(one->IsShown());
}

TEST_F(FlyEmitter, PointsFromAnImageAndEmptyLists) {
  GArrayMove fromImage;
  TWindowStyle style = Style("image = 'particles/columns.png', x = 10, y = 20");
  fromImage.Init(style);
  std::vector<std::pair<int, int>> points;
  for (const auto& p : fromImage.GetPoints()) points.emplace_back(p.x, p.y);
  EXPECT_EQ(points, (std::vector<std::pair<int, int>>{{10, 23}, {10, 29}, {12, 20}}));

  // No points: the emitter stays put, walking or at random.
  for (const char* random : {"false", "true"}) {
    auto e = MakeEmitter(str("mover = 'ArrayMove', time = 4, random = ") + random);
    e->MoveTo(7, 8);
    InitComplete();
    e->Advance(16);
    EXPECT_EQ(e->GetX(), 7) << random;
    EXPECT_EQ(e->GetY(), 8) << random;
  }
}

TEST_F(FlyEmitter, LineMoveStaysWhereTheWindowIs) {
  auto e = MakeEmitter("time = 3");
  e->MoveTo(150, 120);
  InitComplete();
  e->Advance(16);
  EXPECT_EQ(e->GetX(), 150);
  EXPECT_EQ(e->GetY(), 120);
  EXPECT_TRUE(e->IsShown());
  e->Advance(16);
  EXPECT_FALSE(e->IsShown()) << "three steps, then the run ends";
  // A negative count of steps would run for ever with no point to go to.
  size_t before = ReportCount();
  auto negative = MakeEmitter("time = -3");
  EXPECT_EQ(negative->GetSteps(), 0);
  EXPECT_EQ(ReportCount(), before + 1);
}

TEST_F(FlyEmitter, SplineUsesFourControlValues) {
  auto e = MakeEmitter(
      "mover = 'SplineMove', ParamX = '0 10 20 30 999', ParamY = '0 0 0 0', move_time = 1, time = 2");
  InitComplete();  // one step: remaining 1, t = 1, the second control value
  EXPECT_EQ(e->GetX(), 20);
  EXPECT_EQ(e->GetY(), 0);
}

TEST_F(FlyEmitter, LayerAndEmitterForgetEachOther) {
  auto layer = MakeLayer("fx_layer");
  EXPECT_EQ(FindParticleLayer("fx_layer"), layer.get());
  auto e = MakeEmitter("mover = 'ArrayMove', coords = '0, 0, 100, 0', time = 5, RenderTo = 'fx_layer'");
  InitComplete();
  ASSERT_EQ(e->GetLayer(), layer.get());
  ASSERT_EQ(layer->GetClients().size(), 1u);
  EXPECT_EQ(e->GetParticleSystem()->GetScriptPath(), "particles/particle_fx1.lua");
  // The layer's ticks add movement steps of their own.
  layer->OnTaskAnimate();
  EXPECT_EQ(e->GetX(), 25);

  e.reset();
  EXPECT_TRUE(layer->GetClients().empty()) << "a destroyed emitter leaves its layer";
  layer->OnTaskAnimate();
  layer->Draw();

  auto other = MakeEmitter("RenderTo = 'fx_layer', time = 3");
  InitComplete();
  ASSERT_EQ(other->GetLayer(), layer.get());
  layer.reset();
  EXPECT_EQ(FindParticleLayer("fx_layer"), nullptr);
  EXPECT_EQ(other->GetLayer(), nullptr) << "a destroyed layer leaves its emitters";
  other->Advance(16);
}

TEST_F(FlyEmitter, EscapeOnTheLayerOpensThePauseScript) {
  TPlatform::SetContentRoot(FixturesDir() + "/particles");
  auto layer = MakeLayer("keys_layer");
  Global()->DoLuaString("pause_opened = 0");
  EXPECT_FALSE(layer->OnKeyDown('a', 0));
  EXPECT_TRUE(layer->OnKeyDown(TEvent::kEscape, 0));
  Global()->DoLuaString("gProbe = {v = pause_opened}");
  EXPECT_EQ(Global()->GetGlobalTable("gProbe")->GetNumber("v", -1), 1);
  // The mouse gives the layer's own locus its position.
  EXPECT_FALSE(layer->OnMouseMove(TPoint(12, 34)));
  EXPECT_EQ(layer->GetLocus().GetValue(), TVec2(12, 34));
}

TEST_F(FlyEmitter, InitCompleteLivesAsLongAsAnyEmitter) {
  auto a = MakeEmitter("time = 3");
  auto b = MakeEmitter("time = 3");
  EXPECT_FALSE(Global()->IsGlobalNil("CPP_OnPrtInitComplete"));
  a.reset();  // the binding named the first emitter
  InitComplete();
  EXPECT_TRUE(b->IsShown());
  b.reset();
  EXPECT_TRUE(Global()->IsGlobalNil("CPP_OnPrtInitComplete"));
}

}  // namespace
