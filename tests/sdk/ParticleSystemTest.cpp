#include <gtest/gtest.h>

#include "CoreTestUtil.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
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

// Loads a hostile script (`loads`: whether its top level survives) beside a
// steady neighbour and plays both three updates: the script is stopped with
// one message, its state still answers, and the neighbour plays on.
void PlayHostile(TLuaParticleSystem& ps, const char* script, bool loads) {
  TLuaParticleSystem neighbour;
  ASSERT_TRUE(neighbour.LoadScript("particles/steady.lua"));
  Lua(neighbour, "gActive = true");
  const size_t before = ReportCount();
  EXPECT_EQ(ps.LoadScript(script), loads);
  for (int i = 0; i < 3; ++i) {
    ps.Update(100);
    neighbour.Update(100);
  }
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_TRUE(ps.IsDone());
  EXPECT_EQ(neighbour.GetParticleCount(), 30u);
  EXPECT_TRUE(ps.GetScript()->DoLuaString("gProbe = 1")) << "its state still answers";
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

// Counts come from scripts as any Lua number: each emitter fills up to its
// own cap, the whole effect up to the limit, with one message for every
// count out of range; a rate that is not a number leaves the rate as it was.
TEST_F(ParticleSystem, OutsizedCountsFillUpToTheCap) {
  const int limit = TLuaParticleSystem::kMaxParticles;
  TLuaParticleSystem ps;
  const size_t before = ReportCount();
  ASSERT_TRUE(ps.LoadScript("particles/hostile/huge.lua"));
  ps.Update(16);
  EXPECT_EQ(ps.GetParticleCount(), size_t(limit));
  EXPECT_EQ(ReportCount(), before + 1);
  Lua(ps, "flood:Burst(1e12); flood.max = 1e12; flood.burst = -5");
  ps.Update(16);
  EXPECT_EQ(ps.GetParticleCount(), size_t(limit));
  EXPECT_EQ(ReportCount(), before + 1) << "once for the script";

  // The limit holds for the whole effect, not for each emitter alone.
  TLuaParticleSystem two;
  const int most = limit * 3 / 4;
  Lua(two, str::format("flow = Emitter{rate = 1e30, max = 60, life = 10};"
                       "a = Emitter{burst = %d, life = 10}; b = Emitter{burst = %d, life = 10};"
                       "gActive = true; flow.rate = 0/0",
                       most, most)
               .c_str());
  two.Update(100);
  EXPECT_EQ(Global(two, "flow.count"), 60);
  EXPECT_EQ(Global(two, "a.count"), most);
  EXPECT_EQ(Global(two, "b.count"), limit - most - 60);
  EXPECT_EQ(Global(two, "flow.rate"), 1e6) << "a rate that is not a number leaves the rate as it was";

  TLuaParticleSystem later;
  Lua(later, "e = Emitter{life = 10}; e:Burst(1e12)");
  later.Update(16);
  EXPECT_EQ(later.GetParticleCount(), size_t(limit)) << "a burst asked for later, whatever gActive says";

  // Emitters are counted too: a script that declares them without end stops
  // with a message at the first one too many.
  TLuaParticleSystem many;
  const size_t manyBefore = ReportCount();
  EXPECT_FALSE(many.GetScript()->DoLuaString("Emitter{max = 1e30}; for i = 1, 1000 do Emitter{} end"));
  EXPECT_EQ(many.GetEmitterCount(), size_t(TLuaParticleSystem::kMaxEmitters));
  EXPECT_EQ(ReportCount(), manyBefore + 2) << "the cap out of range, then the emitter too many";
}

// Numbers a script gives are held inside their ranges (one message), and a
// particle far off any screen is not drawn, so no pixel rectangle overflows.
TEST_F(ParticleSystem, NumbersOutOfRangeAreHeldInside) {
  TLuaParticleSystem ps;
  const size_t before = ReportCount();
  Lua(ps,
      "far = Emitter{x = 1e30, y = -1/0, speed = 1e30, angle = 90, life = 1/0, size = 1e30, burst = 1,"
      " color = {2, -1, 0.5}, alpha = 7, rate = -3};"
      "gActive = true");
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(Global(ps, "far.rate"), 0);
  ps.Update(1);
  ps.Update(1000);
  std::vector<TParticleQuad> quads;
  ps.GetQuads(TVec3(), quads);
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_NEAR(quads[0].x, 2e5f, 1) << "born at 1e5, then a second at 1e5 pixels a second";
  EXPECT_EQ(quads[0].y, -1e5f);
  EXPECT_EQ(quads[0].size, float(TLuaParticleSystem::kMaxSize));
  EXPECT_EQ(quads[0].color.r, 1.f);
  EXPECT_EQ(quads[0].color.g, 0.f);
  EXPECT_EQ(quads[0].alpha, 1.f);

  // Far beyond any screen, a particle is not drawn at all.
  Lua(ps, "far.gravity = {1e6, 0}");
  ps.Update(2000);
  ps.GetQuads(TVec3(), quads);
  EXPECT_TRUE(quads.empty());
  EXPECT_EQ(ps.GetParticleCount(), 1u);
}

// One frame of a system draws at most its area budget: here 50 faint
// squares of 800 pixels (4/3 of a screen each) over the screen's middle,
// of which 12 fit, added up in one pixel; particles wholly off the screen,
// drawn first, take none of it. The budget is said once.
TEST_F(ParticleSystem, AFrameDrawsAtMostItsAreaBudgetAndNothingOffScreen) {
  TRenderer* r = TRenderer::GetInstance();
  ASSERT_TRUE(r->Open(true, false));
  TLuaParticleSystem ps;
  Lua(ps,
      "Emitter{burst = 200, life = 60, x = -5000, size = 1600, blend = 'add'};"
      "Emitter{burst = 50, life = 60, x = 400, y = 300, size = 800, alpha = 0.02, blend = 'add'};"
      "gActive = true");
  ps.Update(16);
  ASSERT_EQ(ps.GetParticleCount(), 250u);
  const size_t before = ReportCount();
  const int fit = int(TLuaParticleSystem::kDrawnAreaBudget / (800.0 * 800.0));
  for (int frame = 0; frame < 2; ++frame) {
    r->BeginFrame();
    ps.Draw(TVec3());
    r->EndFrame();
    const int shown = r->ReadPixel(400, 300).Red();
    EXPECT_NEAR(shown, fit * 5, fit) << "frame " << frame;
  }
  EXPECT_EQ(ReportCount(), before + 1);
}

// The instruction budget stops a script that never returns, wherever the
// runtime calls it, with one message; the effect stops, and the next update,
// its own and its neighbour's, runs.
TEST_F(ParticleSystem, EndlessLoopsAreStoppedWithOneMessage) {
  const struct {
    const char* script;
    bool loads;
  } cases[] = {
      {"particles/hostile/loop_top.lua", false},
      {"particles/hostile/loop_update.lua", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    TLuaParticleSystem ps;
    PlayHostile(ps, c.script, c.loads);
    EXPECT_EQ(ps.GetParticleCount(), 0u);
    // A new script starts afresh.
    ASSERT_TRUE(ps.LoadScript("particles/steady.lua"));
    Lua(ps, "gActive = true");
    ps.Update(100);
    EXPECT_EQ(ps.GetParticleCount(), 10u);
  }
  // A script's own pcall does not catch the stop, and a string the game runs
  // is bounded as well.
  TLuaParticleSystem ps;
  const size_t before = ReportCount();
  EXPECT_FALSE(ps.GetScript()->DoLuaString("while true do pcall(function() while true do end end) end"));
  EXPECT_EQ(ReportCount(), before + 1);
  ps.Update(16);
  EXPECT_TRUE(ps.IsDone());
}

// A script that asks for more memory than its limit, in one call or caught
// by its own pcall, stops with one message; its memory is given back and
// the game's other effects play on.
TEST_F(ParticleSystem, GreedyScriptsAreStoppedAtTheirMemoryLimit) {
  const struct {
    const char* script;
    bool loads;
  } cases[] = {
      {"particles/hostile/greedy_top.lua", false},
      {"particles/hostile/greedy_update.lua", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    TLuaParticleSystem ps;
    PlayHostile(ps, c.script, c.loads);
    EXPECT_TRUE(ps.IsStopped());
    EXPECT_LE(ps.GetScript()->GetMemoryUsed(), TLuaParticleSystem::kMemoryLimit / 8) << "given back";
  }
  // Up to the limit a script may hold what it likes.
  TLuaParticleSystem ps;
  EXPECT_TRUE(ps.GetScript()->DoLuaString("big = string.rep('x', 2 ^ 23)"));
  EXPECT_GE(ps.GetScript()->GetMemoryUsed(), size_t(1) << 23);
}

// Scripts may guard their globals with a metatable of their own: gActive and
// the runtime's own reads and writes go past the guard, and the guard still
// guards what the script itself reads.
TEST_F(ParticleSystem, ScriptsMayGuardTheirGlobals) {
  for (const char* script : {"particles/hostile/strict.lua", "particles/hostile/own_globals_metatable.lua"}) {
    SCOPED_TRACE(script);
    TLuaParticleSystem ps;
    TestSource locus, up;
    int marker = 0;
    ps.RegisterDataSource("dLocus", &locus);
    const size_t before = ReportCount();
    ASSERT_TRUE(ps.LoadScript(script));
    ps.RegisterDataSource("dUp", &up);
    ps.BindFunction("Bound", [](lua_State*) { return 0; });
    ps.SetGlobalPointer("gParent", &marker);
    EXPECT_EQ(ps.GetGlobalPointer("gParent"), &marker);
    EXPECT_TRUE(ps.GetGlobalStrings("NotThere").empty());
    EXPECT_TRUE(ps.CallHook("OnStart", true, -1));
    ps.Update(100);
    EXPECT_EQ(ps.GetParticleCount(), 10u) << "gActive set at its top reached the effect";
    Lua(ps, "gActive = false");
    EXPECT_FALSE(ps.IsActive());
    EXPECT_EQ(ReportCount(), before);
    EXPECT_TRUE(ps.LoadScript("particles/steady.lua")) << "the next script inherits no guard";
    EXPECT_TRUE(ps.GetScript()->DoLuaString("gNew = undeclared"));
  }
  TLuaParticleSystem strict;
  ASSERT_TRUE(strict.LoadScript("particles/hostile/strict.lua"));
  EXPECT_FALSE(strict.GetScript()->DoLuaString("gProbe = undeclared")) << "the guard still guards";
}

// A script may make dLocus read-only in place; the runtime still refreshes it.
TEST_F(ParticleSystem, ADataSourceMadeReadOnlyIsStillRefreshed) {
  TLuaParticleSystem ps;
  TestSource locus;
  ps.RegisterDataSource("dLocus", &locus);
  ASSERT_TRUE(ps.LoadScript("particles/hostile/readonly_locus.lua"));
  const size_t before = ReportCount();
  locus.value = TVec2(50, 60);
  ps.Update(100);
  locus.value = TVec2(70, 80);
  ps.Update(100);
  EXPECT_EQ(Global(ps, "gSeenX"), 70);
  EXPECT_EQ(ps.GetParticleCount(), 20u);
  EXPECT_EQ(ReportCount(), before);
}

// An emitter placed at a data source nobody registered emits at (0, 0); the
// author hears of each such name once.
TEST_F(ParticleSystem, ADataSourceThatDoesNotExistIsReportedOnce) {
  TLuaParticleSystem ps;
  TestSource locus;
  ps.RegisterDataSource("dLocus", &locus);
  Lua(ps,
      "Emitter{at = 'dNowhere', rate = 100, life = 10}; Emitter{at = 'dNowhere', rate = 100, life = 10};"
      "Emitter{offset = 'dElsewhere', rate = 100, life = 10}; Emitter{at = 'dLocus', rate = 100, life = 10};"
      "gActive = true");
  const size_t before = ReportCount();
  for (int i = 0; i < 3; ++i) ps.Update(100);
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_EQ(ps.GetParticleCount(), 120u);
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
