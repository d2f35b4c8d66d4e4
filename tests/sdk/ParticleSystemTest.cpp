#include <gtest/gtest.h>

#include "CoreTestUtil.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"

namespace {

// A data source whose value the test sets; counts its evaluations.
class TestSource : public TParticleFunction {
 public:
  TVec2 value;
  int evaluations = 0;
  int GetFloatCount() const override { return 2; }
  bool Evaluate(TParticleArgs& args) override {
    ++evaluations;
    float v[2] = {value.x, value.y};
    args.Append(v, 2);
    return true;
  }
};

class ParticleSystem : public ::testing::Test {
 protected:
  void SetUp() override { TPlatform::SetContentRoot(CoreFixturesDir()); }
};

void Lua(TLuaParticleSystem& ps, const char* code) {
  ASSERT_TRUE(ps.GetScript()->DoLuaString(code));
}

// Reads a global number through a table, the way game code reads Lua.
double Global(TLuaParticleSystem& ps, const char* name) {
  ps.GetScript()->DoLuaString(str("gProbe = {v = ") + name + "}");
  TLuaTableRef t = ps.GetScript()->GetGlobalTable("gProbe");
  return t ? t->GetNumber("v", -1) : -1;
}

TEST_F(ParticleSystem, EmissionFollowsGActive) {
  TLuaParticleSystem ps;
  ASSERT_TRUE(ps.LoadScript("particles/steady.lua"));
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 0u) << "nothing is emitted before gActive is set";

  Lua(ps, "gActive = true");
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 10u);
  EXPECT_TRUE(ps.IsActive());

  Lua(ps, "gActive = false");
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 10u) << "stopping emission keeps the living particles";
  EXPECT_EQ(Global(ps, "(gActive == false) and 1 or 0"), 1) << "the script reads back what was set";

  Lua(ps, "gActive = true");
  ps.Update(50);
  EXPECT_EQ(ps.GetParticleCount(), 15u);
}

TEST_F(ParticleSystem, FiniteEffectEndsAndCanBeRestarted) {
  TLuaParticleSystem ps;
  ASSERT_TRUE(ps.LoadScript("particles/burst.lua"));
  ps.Update(16);
  EXPECT_FALSE(ps.IsDone()) << "an effect that has not started yet is not done";

  Lua(ps, "gActive = true");
  ps.Update(16);
  EXPECT_EQ(ps.GetParticleCount(), 20u);
  EXPECT_FALSE(ps.IsDone()) << "particles still live";
  ps.Update(300);
  EXPECT_EQ(ps.GetParticleCount(), 0u);
  EXPECT_TRUE(ps.IsDone());

  // Setting gActive again, even to the value it holds, fires the burst again.
  Lua(ps, "gActive = true");
  EXPECT_FALSE(ps.IsDone());
  ps.Update(16);
  EXPECT_EQ(ps.GetParticleCount(), 20u);
}

TEST_F(ParticleSystem, SetDoneAndResetDone) {
  TLuaParticleSystem ps;
  ASSERT_TRUE(ps.LoadScript("particles/steady.lua"));
  Lua(ps, "gActive = true");
  ps.Update(100);
  ASSERT_FALSE(ps.IsDone());

  ps.SetDone();
  EXPECT_TRUE(ps.IsDone());
  EXPECT_EQ(ps.GetParticleCount(), 0u);
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 0u) << "a done system is not advanced";
  EXPECT_TRUE(ps.IsDone());

  ps.ResetDone();
  EXPECT_FALSE(ps.IsDone());
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 10u);
}

TEST_F(ParticleSystem, ScriptThatEmitsNothingNeverEnds) {
  TLuaParticleSystem ps;
  EXPECT_FALSE(ps.IsDone());
  // The bundled placeholder, by its absolute path.
  const std::string here = __FILE__;
  ASSERT_TRUE(ps.LoadScript(here.substr(0, here.rfind("tests/")) + "content/scripts/empty.lua"));
  Lua(ps, "gActive = true");
  ps.Update(1000);
  EXPECT_FALSE(ps.IsDone());
  EXPECT_EQ(ps.GetParticleCount(), 0u);
}

TEST_F(ParticleSystem, DataSourcesAreReadOnEveryUpdate) {
  TLuaParticleSystem ps;
  TestSource locus;
  ps.RegisterDataSource("dLocus", &locus);
  ASSERT_TRUE(ps.LoadScript("particles/follow.lua"));
  EXPECT_EQ(locus.evaluations, 0) << "loading evaluates nothing";

  locus.value = TVec2(120, 45);
  ps.Update(16);
  EXPECT_EQ(locus.evaluations, 1);
  EXPECT_EQ(Global(ps, "gSeen.x"), 120);
  EXPECT_EQ(Global(ps, "gSeen.y"), 45);
  EXPECT_EQ(Global(ps, "gSeen.ms"), 16);

  locus.value = TVec2(-3, 7);
  ps.Update(16);
  EXPECT_EQ(locus.evaluations, 2);
  EXPECT_EQ(Global(ps, "gSeen.x"), -3);
  EXPECT_EQ(Global(ps, "dLocus[2]"), 7) << "the value is also an array";
  TVec2 v;
  ASSERT_TRUE(ps.GetDataValue("dLocus", v));
  EXPECT_EQ(v, TVec2(-3, 7));

  ps.UnregisterDataSource(&locus);
  ps.Update(16);
  EXPECT_EQ(locus.evaluations, 2);
  EXPECT_FALSE(ps.GetDataValue("dLocus", v));
}

TEST_F(ParticleSystem, LuaErrorsAreReportedAndTheGameGoesOn) {
  {
    TLuaParticleSystem ps;
    size_t before = ReportCount();
    EXPECT_FALSE(ps.LoadScript("particles/syntax_error.lua"));
    EXPECT_FALSE(ps.LoadScript("particles/no_such_script.lua"));
    EXPECT_EQ(ReportCount(), before + 2);
    Lua(ps, "gActive = true");
    ps.Update(16);
    EXPECT_EQ(ps.GetParticleCount(), 0u);
  }
  {
    // A failing OnUpdate is reported once; the emitters keep running.
    TLuaParticleSystem ps;
    size_t before = ReportCount();
    ASSERT_TRUE(ps.LoadScript("particles/broken_update.lua"));
    for (int i = 0; i < 5; ++i) ps.Update(100);
    EXPECT_EQ(ReportCount(), before + 1);
    EXPECT_EQ(Global(ps, "gCalls"), 1);
    EXPECT_EQ(ps.GetParticleCount(), 50u);
  }
  {
    // Unknown fields and bad values are reported; the emitter is still made.
    TLuaParticleSystem ps;
    size_t before = ReportCount();
    ASSERT_TRUE(ps.LoadScript("particles/bad_field.lua"));
    EXPECT_EQ(ReportCount(), before + 2);
    EXPECT_EQ(ps.GetEmitterCount(), 1u);
  }
}

TEST_F(ParticleSystem, LoadingReplacesTheScriptButKeepsTheState) {
  TLuaParticleSystem ps;
  int calls = 0;
  ps.BindFunction("removeEffect", [&calls](lua_State*) {
    ++calls;
    return 0;
  });
  ps.SetGlobalPointer("gParent", &calls);
  ASSERT_TRUE(ps.LoadScript("particles/hooks.lua"));
  Lua(ps, "if(OnStart)then OnStart(-1); end");
  EXPECT_EQ(Global(ps, "gStarted"), -1);

  ASSERT_TRUE(ps.LoadScript("particles/steady.lua"));
  EXPECT_EQ(ps.GetEmitterCount(), 1u) << "a second load does not add to the first";
  EXPECT_EQ(Global(ps, "OnStart == nil and 1 or 0"), 1) << "hooks of the old script are gone";
  Lua(ps, "removeEffect()");
  EXPECT_EQ(calls, 1) << "bound functions survive a load";
  EXPECT_EQ(ps.GetGlobalPointer("gParent"), &calls);
}

TEST_F(ParticleSystem, EachSystemHasItsOwnState) {
  TLuaParticleSystem a, b;
  ASSERT_TRUE(a.LoadScript("particles/steady.lua"));
  ASSERT_TRUE(b.LoadScript("particles/steady.lua"));
  Lua(a, "gActive = true");
  a.Update(100);
  b.Update(100);
  EXPECT_EQ(a.GetParticleCount(), 10u);
  EXPECT_EQ(b.GetParticleCount(), 0u);
}

TEST_F(ParticleSystem, EmitterHandlesChangeAnEffectWhileItRuns) {
  TLuaParticleSystem ps;
  ASSERT_TRUE(ps.LoadScript("particles/steady.lua"));
  Lua(ps, "gActive = true; steady.rate = 200");
  ps.Update(100);
  EXPECT_EQ(ps.GetParticleCount(), 20u);
  EXPECT_EQ(Global(ps, "steady.count"), 20);
  Lua(ps, "steady:Burst(5)");
  ps.Update(0);
  EXPECT_EQ(ps.GetParticleCount(), 25u);
}

// Counts come from scripts as any Lua number: one too large for an int fills
// the emitter up to its cap, and a rate that is not a number emits nothing
// without spoiling the rate set after it.
TEST_F(ParticleSystem, OutsizedCountsFillUpToTheCap) {
  TLuaParticleSystem ps;
  Lua(ps,
      "flood = Emitter{rate = 1e30, max = 100, life = 10};"
      "heap = Emitter{burst = 1e12, max = 50, life = 10};"
      "more = Emitter{max = 30, life = 10};"
      "odd = Emitter{rate = 0/0, life = 10};"
      "gActive = true; more:Burst(1e12); more:Burst(1e12)");
  ps.Update(16);
  EXPECT_EQ(Global(ps, "flood.count"), 100);
  EXPECT_EQ(Global(ps, "heap.count"), 50);
  EXPECT_EQ(Global(ps, "more.count"), 30);
  EXPECT_EQ(Global(ps, "odd.count"), 0);
  Lua(ps, "odd.rate = 100; flood.max = 10");
  ps.Update(100);
  EXPECT_EQ(Global(ps, "odd.count"), 10);
  EXPECT_EQ(Global(ps, "flood.count"), 100) << "a lowered cap adds none and takes none";
}

// math.random runs on the effect's own generator, within Lua's bounds, over
// the widest interval an int allows as well.
TEST_F(ParticleSystem, RandomStaysInItsInterval) {
  TLuaParticleSystem ps;
  Lua(ps,
      "gBad = 0; gLowest = 0\n"
      "for i = 1, 200 do\n"
      "  local a, b, c = math.random(), math.random(6), math.random(-3, 3)\n"
      "  if a < 0 or a >= 1 or b < 1 or b > 6 or b % 1 ~= 0 or c < -3 or c > 3 then gBad = gBad + 1 end\n"
      "  local w = math.random(-2147483648, 2147483647)\n"
      "  if w < -2147483648 or w > 2147483647 or w % 1 ~= 0 then gBad = gBad + 1 end\n"
      "  if w == -2147483648 then gLowest = gLowest + 1 end\n"
      "end");
  EXPECT_EQ(Global(ps, "gBad"), 0);
  EXPECT_LT(Global(ps, "gLowest"), 5) << "the widest interval is not folded onto its low end";
  EXPECT_EQ(Global(ps, "math.random(4, 4)"), 4);
}

}  // namespace
