#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "VisualTestUtil.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "visual/GParticleSystem.h"
#include "visual/TEmitterLocus.h"
#include "visual/TFxSprite.h"

namespace {

str EffectsFixturesDir() {
  return TOLVANE_TEST_FIXTURES;
}

class ParticleEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(EffectsFixturesDir());
    OpenHeadlessRenderer();
  }
};

str LuaString(TLuaParticleSystem* ps, const char* expr) {
  ps->GetScript()->DoLuaString(str("gProbe = {v = ") + expr + "}");
  TLuaTableRef t = ps->GetScript()->GetGlobalTable("gProbe");
  return t ? t->GetString("v", "") : str();
}

struct Owner : GParticleSystem::GParticleSystemOwner {
  int ended = 0, changed = 0;
  void OnParticleSystemEnd(GParticleSystem* s) override {
    ++ended;
    s->Stop();
  }
  void OnParticleSystemChanged(GParticleSystem*) override { ++changed; }
};

TEST_F(ParticleEffects, PoolReusesIdleSystemsAndLendsAtMostFour) {
  Owner a, b, c;
  GParticleSystem* first = AcquireParticleSystem("pool_b", &a);
  GParticleSystem* second = AcquireParticleSystem("pool_b", &b);
  EXPECT_NE(first, second);
  EXPECT_EQ(a.mCurrentSystem, first);
  first->Stop();
  EXPECT_EQ(a.changed, 1);
  EXPECT_EQ(a.mCurrentSystem, nullptr);
  EXPECT_EQ(AcquireParticleSystem("pool_b", &c), first) << "the idle one is reused, not loaded again";

  // Four busy systems of one script: a fifth user takes the newest away.
  Owner d, e, f;
  AcquireParticleSystem("pool_b", &d);
  GParticleSystem* newest = AcquireParticleSystem("pool_b", &e);
  EXPECT_EQ(LuaString(newest->GetParticleSystem(), "gLog"), "start-1;");
  GParticleSystem* taken = AcquireParticleSystem("pool_b", &f);
  EXPECT_EQ(taken, newest);
  EXPECT_EQ(e.changed, 1);
  EXPECT_EQ(e.mCurrentSystem, nullptr);
  EXPECT_EQ(f.mCurrentSystem, newest);
  EXPECT_EQ(LuaString(newest->GetParticleSystem(), "gLog"), "start-1;stop;start-1;");
  int count = 0;
  for (GParticleSystem* s : GParticleSystem::GetPool()) count += s->GetName() == "pool_b";
  EXPECT_EQ(count, 4);
}

TEST_F(ParticleEffects, OwnerStartingAnotherSystemStopsItsFirst) {
  Owner a;
  GParticleSystem* one = AcquireParticleSystem("pool_c", &a);
  GParticleSystem* two = AcquireParticleSystem("pool_d", &a);
  EXPECT_EQ(one->GetState(), GParticleSystem::kIdle);
  EXPECT_EQ(two->GetState(), GParticleSystem::kRunning);
  EXPECT_EQ(a.mCurrentSystem, two);
  EXPECT_EQ(a.changed, 1);
  // An owner that dies stops its system without being called back.
  {
    Owner gone;
    GParticleSystem* s = AcquireParticleSystem("pool_c", &gone);
    EXPECT_EQ(s, one);
  }
  EXPECT_EQ(one->GetState(), GParticleSystem::kIdle);
  EXPECT_EQ(one->GetOwner(), nullptr);
}

TEST_F(ParticleEffects, OnEndWithoutOwnerStopsOnce) {
  GParticleSystem* s = AcquireParticleSystem("pool_e", nullptr);
  s->GetParticleSystem()->GetScript()->DoLuaString("OnEnd(); OnEnd()");
  EXPECT_EQ(s->GetState(), GParticleSystem::kIdle);
  EXPECT_EQ(LuaString(s->GetParticleSystem(), "gLog"), "start-1;stop;");

  Owner o;
  GParticleSystem* owned = AcquireParticleSystem("pool_e", &o);
  owned->GetParticleSystem()->GetScript()->DoLuaString("OnEnd()");
  EXPECT_EQ(o.ended, 1) << "with an owner, the owner decides";
  EXPECT_EQ(owned->GetState(), GParticleSystem::kIdle);
}

TEST_F(ParticleEffects, AdditionalVarsAndAppearStars) {
  GParticleSystem* s = AcquireParticleSystem("pool_a", nullptr);
  EXPECT_EQ(s->GetAdditionalSourceCount(), 1u) << "unregistered names are skipped";
  TLuaParticleSystem* ps = s->GetParticleSystem();
  const TVec2 expected[] = {{30, 30}, {30, -30}, {-30, 30}, {-30, -30}, {30, 30}};
  for (const TVec2& e : expected) {
    ps->Update(1);
    TVec2 v;
    ASSERT_TRUE(ps->GetDataValue("AppearStars", v));
    EXPECT_EQ(v, e);
  }
  s->SetPosition(TVec2(5, 6));
  ps->Update(1);
  EXPECT_EQ(LuaString(ps, "dPos.x .. ',' .. dPos.y"), "5,6");
}

// Pooled scripts that never return from OnStart or OnStop: each is stopped
// with one message, goes back to the pool, and asks nothing of its script
// when it is used again.
TEST_F(ParticleEffects, EndlessStartAndStopHooksAreStopped) {
  for (const char* name : {"hostile/loop_start", "hostile/loop_stop"}) {
    SCOPED_TRACE(name);
    Owner a, b;
    const size_t before = ReportCount();
    GParticleSystem* s = AcquireParticleSystem(name, &a);
    s->Stop();
    EXPECT_EQ(ReportCount(), before + 1);
    EXPECT_EQ(s->GetState(), GParticleSystem::kIdle);
    EXPECT_TRUE(s->GetParticleSystem()->IsStopped());
    EXPECT_EQ(AcquireParticleSystem(name, &b), s);
    s->GetParticleSystem()->Update(100);
    s->Stop();
    EXPECT_EQ(ReportCount(), before + 1);
    EXPECT_EQ(s->GetParticleSystem()->GetParticleCount(), 0u);
  }
}

// A script that guards its globals ("strict") in the pool: its AdditionalVars
// source is registered past the guard, and starting, playing and stopping it
// say nothing.
TEST_F(ParticleEffects, PooledStrictScriptPlaysWithoutAMessage) {
  Owner a;
  const size_t before = ReportCount();
  GParticleSystem* s = AcquireParticleSystem("hostile/strict", &a);
  EXPECT_EQ(s->GetAdditionalSourceCount(), 1u);
  s->GetParticleSystem()->Update(100);
  EXPECT_EQ(s->GetParticleSystem()->GetParticleCount(), 10u);
  s->Stop();
  EXPECT_EQ(AcquireParticleSystem("hostile/strict", &a), s);
  s->GetParticleSystem()->Update(100);
  EXPECT_EQ(s->GetParticleSystem()->GetParticleCount(), 10u);
  EXPECT_EQ(ReportCount(), before);
}

// Every start of a pooled system plays as its first: a one-shot that switches
// itself on at its top fires again, and a system handed from one owner to
// another starts empty, so nothing is drawn where the first owner was.
TEST_F(ParticleEffects, EveryStartOfAPooledSystemPlaysAsTheFirst) {
  Owner a, b;
  GParticleSystem* shot = AcquireParticleSystem("oneshot_top", &a);
  TLuaParticleSystem* ps = shot->GetParticleSystem();
  for (int use = 0; use < 2; ++use) {
    ps->Update(16);
    EXPECT_EQ(ps->GetParticleCount(), 3u) << "use " << use;
    ps->Update(100);
    EXPECT_TRUE(ps->IsDone());
    shot->Stop();
    EXPECT_EQ(AcquireParticleSystem("oneshot_top", &a), shot);
  }

  GParticleSystem* s = AcquireParticleSystem("handover", &a);
  s->SetPosition(TVec2(100, 100));
  s->GetParticleSystem()->Update(100);
  ASSERT_EQ(s->GetParticleSystem()->GetParticleCount(), 10u);
  s->Stop();
  ASSERT_EQ(AcquireParticleSystem("handover", &b), s);
  EXPECT_EQ(s->GetParticleSystem()->GetParticleCount(), 0u);
  s->SetPosition(TVec2(300, 300));
  s->GetParticleSystem()->Update(100);
  std::vector<TParticleQuad> quads;
  s->GetParticleSystem()->GetQuads(TVec3(), quads);
  EXPECT_EQ(quads.size(), 10u);
  for (const TParticleQuad& q : quads) EXPECT_EQ(q.x, 300) << "none where the first owner was";
}

// Counts the sprite effects in a tree.
int CountEffects(const TSpriteRef& s) {
  int n = s->IsKindOf(TFxSprite::ClassId()) ? 1 : 0;
  for (const TSpriteRef& c : s->GetChildren()) n += CountEffects(c);
  return n;
}

// Scripts that make themselves again, at their top, through one another or
// at every update, end at a bound with one message; the effect next to them
// runs on.
TEST_F(ParticleEffects, SelfSpawningEffectsStopAtABound) {
  const struct {
    const char* script;
    int effects;
  } cases[] = {
      {"particles/hostile/spawn_top.lua", 1 + TFxSprite::kMaxNesting},
      {"particles/hostile/spawn_a.lua", 1 + TFxSprite::kMaxNesting},
      {"particles/hostile/spawn_update.lua", TFxSprite::kMaxTreeEffects},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    TSpriteRef root = TSprite::Create(0);
    TFxSpriteRef neighbour = TFxSprite::Create(0, "particles/counter.lua");
    root->AddChild(neighbour);
    const size_t before = ReportCount();
    TFxSpriteRef fx = TFxSprite::Create(0, c.script);
    root->AddChild(fx);
    for (int i = 0; i < 12; ++i) {
      root->Draw(TDrawSpec());
      Advance(16);
    }
    EXPECT_EQ(CountEffects(fx), c.effects);
    EXPECT_EQ(fx->GetTreeSize(), c.effects);
    EXPECT_EQ(ReportCount(), before + 1);
    const str calls = LuaString(neighbour->GetParticleSystem(), "gCalls");
    Advance(16);
    EXPECT_NE(LuaString(neighbour->GetParticleSystem(), "gCalls"), calls) << "the next tick runs";
  }
}

TEST_F(ParticleEffects, TaskAdvancesInTwelveMillisecondSteps) {
  TFxSpriteAnimTask task;
  TFxSpriteRef fx = TFxSprite::Create(0, "particles/counter.lua", &task);
  ASSERT_EQ(task.GetSize(), 1u);
  fx->Draw(TDrawSpec());
  TLuaParticleSystem* ps = fx->GetParticleSystem();
  const struct {
    uint32_t at;
    const char* calls;
    const char* ms;
  } cases[] = {
      {30, "2", "24"},   // 30 ms: two steps, 6 ms dropped
      {130, "6", "72"},  // 100 ms later: at most four
      {140, "6", "72"},  // under one step
  };
  for (const auto& c : cases) {
    task.Step(c.at);
    EXPECT_EQ(LuaString(ps, "gCalls"), c.calls) << "at " << c.at;
    EXPECT_EQ(LuaString(ps, "gMs"), c.ms) << "at " << c.at;
  }
}

// Until its first draw an effect does not know where it stands: stepping it
// then would emit particles at the screen's origin.
TEST_F(ParticleEffects, AnEffectIsSteppedOnlyOnceItHasBeenDrawn) {
  TFxSpriteAnimTask task;
  TFxSpriteRef fx = TFxSprite::Create(0, "particles/counter.lua", &task);
  task.Step(30);
  EXPECT_EQ(LuaString(fx->GetParticleSystem(), "tostring(gCalls or 0)"), "0");
  fx->Draw(TDrawSpec());
  task.Step(60);
  EXPECT_EQ(LuaString(fx->GetParticleSystem(), "tostring(gCalls or 0)"), "2");
}

TEST_F(ParticleEffects, FinishedEffectLeavesTaskAndTree) {
  TFxSpriteAnimTask task;
  TSpriteRef root = TSprite::Create(0);
  TFxSpriteRef fx = TFxSprite::Create(0, "particles/oneshot.lua", &task);
  root->AddChild(fx);
  root->Draw(TDrawSpec());
  task.Step(12);
  EXPECT_EQ(fx->GetParticleSystem()->GetParticleCount(), 2u);
  uint32_t now = 12;
  for (int i = 0; i < 3; ++i) task.Step(now += 48);  // 156 ms: past the particles' 0.1 s
  EXPECT_TRUE(fx->GetParticleSystem()->IsDone());
  EXPECT_EQ(task.GetSize(), 1u);
  task.Step(now += 12);
  EXPECT_EQ(task.GetSize(), 0u);
  EXPECT_EQ(root->GetChildren().size(), 1u) << "still in the tree until it is drawn";
  root->Draw(TDrawSpec());
  EXPECT_TRUE(root->GetChildren().empty());
}

// A finished effect removes itself while its parent walks its children: the
// walk must go on over the others, whatever kind of sprite the parent is.
TEST_F(ParticleEffects, FinishedChildrenLeaveWhileTheirParentDraws) {
  TFxSpriteAnimTask task;
  TFxSpriteRef fxParent = TFxSprite::Create(0, "", &task);
  TSpriteRef plainParent = TSprite::Create(0);
  std::vector<TFxSpriteRef> kids;
  for (int i = 0; i < 3; ++i) {
    kids.push_back(TFxSprite::Create(0, "particles/oneshot.lua", &task));
    kids.back()->GetParticleSystem()->SetDone();
  }
  TFxSpriteRef live = TFxSprite::Create(0, "particles/counter.lua", &task);
  fxParent->AddChild(kids[0]);
  fxParent->AddChild(kids[1]);
  fxParent->AddChild(live);
  plainParent->AddChild(kids[2]);
  kids.clear();  // the parents hold the only references now

  fxParent->Draw(TDrawSpec());
  ASSERT_EQ(fxParent->GetChildren().size(), 1u);
  EXPECT_EQ(fxParent->GetChildren()[0], live);
  plainParent->Draw(TDrawSpec());
  EXPECT_TRUE(plainParent->GetChildren().empty());

  // A finished effect at the root has no parent to leave: it just ends.
  TFxSpriteRef root = TFxSprite::Create(0, "particles/oneshot.lua", &task);
  root->GetParticleSystem()->SetDone();
  root->Draw(TDrawSpec());
  EXPECT_EQ(root->GetParent(), nullptr);
}

TEST_F(ParticleEffects, CreateFxAddsAChildUnderTheCaller) {
  TFxSpriteRef empty = TFxSprite::Create(3, "");
  EXPECT_EQ(empty->GetLayer(), 3);
  EXPECT_EQ(empty->GetParticleSystem()->GetGlobalPointer("gParent"), empty.get());
  EXPECT_EQ(LuaString(empty->GetParticleSystem(), "type(CreateFx)"), "function");
  EXPECT_TRUE(empty->GetScriptPath().empty());

  TFxSpriteAnimTask task;
  TFxSpriteRef fx = TFxSprite::Create(0, "particles/spawner.lua", &task);
  fx->Draw(TDrawSpec());
  task.Step(12);
  ASSERT_EQ(fx->GetChildren().size(), 1u);
  TSpriteRef child = fx->GetChildren()[0];
  EXPECT_EQ(child->GetPosition(), TVec3(10, 20, 0));
  EXPECT_EQ(child->GetLayer(), -1);
  ASSERT_TRUE(child->IsKindOf(TFxSprite::ClassId()));
  EXPECT_EQ(static_cast<TFxSprite*>(child.get())->GetScriptPath(), "particles/oneshot.lua");

  // An empty table gives a child without a script at the parent's origin.
  fx->GetScript()->DoLuaString("CreateFx{}");
  ASSERT_EQ(fx->GetChildren().size(), 2u);
  EXPECT_EQ(fx->GetChildren()[1]->GetPosition(), TVec3(0, 0, 0));

  // Numbers out of range are held inside it, with one message.
  const size_t before = ReportCount();
  fx->GetScript()->DoLuaString("CreateFx{x = 1e30, y = 0/0, layer = 1e30}; CreateFx{x = -1/0}");
  ASSERT_EQ(fx->GetChildren().size(), 4u);
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(fx->GetChildren()[2]->GetPosition(), TVec3(-1e5f, 0, 0));
  EXPECT_EQ(fx->GetChildren()[3]->GetPosition(), TVec3(1e5f, 0, 0)) << "the last, by its layer";
  EXPECT_EQ(fx->GetChildren()[3]->GetLayer(), INT_MAX);
}

// A square effect of the given size and colour ("{r, g, b}").
TFxSpriteRef Square(int layer, int size, const char* color, TFxSpriteAnimTask* task) {
  TFxSpriteRef fx = TFxSprite::Create(layer, "", task);
  fx->GetScript()->DoLuaString(str::format("gSize = %d; gColor = %s", size, color));
  EXPECT_TRUE(fx->Load(task, "particles/square.lua", false));
  return fx;
}

uint32_t Rgb(int x, int y) {
  return TRenderer::GetInstance()->ReadPixel(x, y).argb & 0xFFFFFF;
}

// Children of negative layers go under the effect's particles, the others
// over them; at depth 0 only the effect itself is drawn. Each square is
// smaller than the one drawn before it, so every layer shows as a ring.
TEST_F(ParticleEffects, ChildrenAroundTheParticlesAndNoneAtDepthZero) {
  TFxSpriteAnimTask task;
  TSpriteRef root = TSprite::Create(0);
  root->SetPosition(TVec3(100, 100, 0));
  TFxSpriteRef fx = Square(0, 20, "{1, 0, 0}", &task);
  TFxSpriteRef above = Square(1, 10, "{0, 0, 1}", &task);
  TFxSpriteRef below = Square(-1, 30, "{0, 1, 0}", &task);
  root->AddChild(fx);
  fx->AddChild(above);
  fx->AddChild(below);
  root->Draw(TDrawSpec());  // each effect learns where it stands
  for (const TFxSpriteRef& s : {fx, above, below}) s->GetParticleSystem()->Update(1);

  TRenderer* r = TRenderer::GetInstance();
  r->BeginFrame();
  root->Draw(TDrawSpec());
  r->EndFrame();
  EXPECT_EQ(Rgb(100, 100), 0x0000FFu) << "the child above on top";
  EXPECT_EQ(Rgb(107, 100), 0xFF0000u) << "the effect's own particles";
  EXPECT_EQ(Rgb(112, 100), 0x00FF00u) << "the child below underneath";

  r->BeginFrame();
  fx->Draw(TDrawSpec(), 0);
  r->EndFrame();
  EXPECT_EQ(Rgb(100, 100), 0xFF0000u);
  EXPECT_EQ(Rgb(112, 100), 0x000000u) << "no child at depth 0";
}

TEST_F(ParticleEffects, SpriteFeedsItsScreenPositionAndDrawsParticlesThere) {
  TFxSpriteAnimTask task;
  TSpriteRef root = TSprite::Create(0);
  TFxSpriteRef fx = TFxSprite::Create(0, "particles/counter.lua", &task);
  root->SetPosition(TVec3(100, 50, 0));
  fx->SetPosition(TVec3(20, 30, 0));
  root->AddChild(fx);
  root->Draw(TDrawSpec());
  EXPECT_EQ(fx->GetLocus().GetValue(), TVec2(120, 80));
  EXPECT_EQ(fx->GetUp().GetValue(), TVec2(0, -1));
}

}  // namespace
