#include <gtest/gtest.h>

#include <memory>

#include "VisualTestUtil.h"
#include "visual/GVEffect.h"
#include "visual/GVInterpolator.h"
#include "visual/GVObject.h"
#include "visual/GVState.h"

namespace {
// Loads one state of a 4-frame object and returns its first effect.
struct LoadedState {
  explicit LoadedState(const char* xml) : states(nullptr, 4) {
    element = ParseXml(xml);
    states.Load(element.get(), nullptr);
  }
  GVState* State() { return states.Get(0); }
  GVEffect* Effect(int i = 0) {
    GVState* s = State();
    return s && s->effects ? s->effects->Get(i) : nullptr;
  }
  std::unique_ptr<TXmlNode> element;
  GVStates states;
};

class Interpolators : public VisualFactoryTest {};
}  // namespace

TEST(KeyLists, ReadSignsAndFractions) {
  EXPECT_EQ(std::vector<float>({0.5f, -10.f, 3.f, 0.25f}), GVDefInterpolator::ReadKeys("0.5, -10;+3 .25"));
  EXPECT_EQ(std::vector<float>({1, -2}), GVDefInterpolator::ReadKeys("1-2"));
  EXPECT_TRUE(GVDefInterpolator::ReadKeys(" - ").empty());
}

TEST(InterpolatorLoad, KindsKeysAndDefaultTime) {
  LoadedState delta(
      "<states><state id='s' framelist='0..3'><DeltaInterpolator keys_x='1,2,3' keys_y='4,5'/>"
      "<NoSuchEffect/></state></states>");
  auto* d = dynamic_cast<GVDeltaInterpolator*>(delta.Effect());
  ASSERT_TRUE(d);
  EXPECT_EQ(1, delta.State()->effects->Count());  // the unknown kind made nothing
  EXPECT_EQ(2, d->keyCount);
  EXPECT_EQ(1600u, d->time);  // 100 ms x 4 entries, squared count
  EXPECT_EQ(30u, d->quant);
  EXPECT_TRUE(d->IsKindOf(GVDefInterpolator::ClassId()));
  EXPECT_FALSE(d->IsKindOf(GVAlphaInterpolator::ClassId()));

  LoadedState none("<states><state id='s'><ScaleInterpolator keys=''/></state></states>");
  ASSERT_TRUE(none.State());
  EXPECT_EQ(nullptr, none.State()->effects);  // a load without keys fails
}

TEST(InterpolatorMath, ZeroTimeAndSingleKeyApplyTheKey) {
  LoadedState s("<states><state id='s'><AlphaInterpolator keys='0.5' time='0'/></state></states>");
  auto* a = dynamic_cast<GVDefInterpolator*>(s.Effect());
  ASSERT_TRUE(a);
  GVData v;
  a->elapsed = 70;
  a->OnData(v);
  EXPECT_EQ(0.5f, v.alpha);
  a->keyCount = 3;  // more keys claimed than read: never past the end
  a->time = 100;
  a->elapsed = 99;
  GVData w;
  a->OnData(w);
  EXPECT_EQ(0.5f, w.alpha);
}

TEST_F(Interpolators, AlphaCycleOverTime) {
  std::unique_ptr<GVObject> o(GVFactory::GetInstance()->CreateObject(nullptr, "strip"));
  ASSERT_TRUE(o);
  o->SetState(TState::FromStr("fade"), true);
  list.Draw();
  Advance(500);
  list.Draw();
  EXPECT_NEAR(0.5f, o->GetEffective().alpha, 0.01f);
  Advance(500);
  list.Draw();
  EXPECT_NEAR(1.f, o->GetEffective().alpha, 0.01f);
  // Leaving the state stops it.
  o->SetState(kStateNormal, true);
  Advance(250);
  list.Draw();
  EXPECT_EQ(1.f, o->GetEffective().alpha);
}

TEST_F(Interpolators, DisabledPausesAndTwoEffectsBothRun) {
  auto e = ParseXml(
      "<main><images><img name='strip.png'/></images><framelist><frame w='10' h='10'/></framelist>"
      "<states><state id='off'><AlphaInterpolator enable='0' keys='1,0' time='1000'/></state>"
      "<state id='both'><AlphaInterpolator keys='1,0' time='1000' quant='50'/>"
      "<DeltaInterpolator keys_x='0,100' keys_y='0,0' time='1000' quant='50'/></state></states></main>");
  std::unique_ptr<GVObject> o(GVFactory::GetInstance()->CreateObject(e.get(), ""));
  ASSERT_TRUE(o);
  o->SetState(TState::FromStr("off"), true);
  Advance(500);
  list.Draw();
  EXPECT_EQ(1.f, o->GetEffective().alpha);

  o->SetState(TState::FromStr("both"), true);
  Advance(500);
  list.Draw();
  EXPECT_NEAR(0.5f, o->GetEffective().alpha, 0.01f);
  EXPECT_NEAR(50.f, o->GetEffective().deltaX, 0.5f);
}
