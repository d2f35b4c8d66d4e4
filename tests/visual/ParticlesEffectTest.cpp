#include <gtest/gtest.h>

#include <memory>

#include "VisualTestUtil.h"
#include "sdk/TScript.h"
#include "visual/GParticleSystem.h"
#include "visual/GVEffect.h"
#include "visual/GVObject.h"
#include "visual/GVParticlesEffect.h"
#include "visual/GVState.h"
#include "visual/TState.h"

namespace {

str ParticlesFixturesDir() {
  return TOLVANE_TEST_FIXTURES;
}

str LuaString(GParticleSystem* s, const char* expr) {
  TScript* script = s->GetParticleSystem()->GetScript();
  script->DoLuaString(str("gProbe = {v = ") + expr + "}");
  TLuaTableRef t = script->GetGlobalTable("gProbe");
  return t ? t->GetString("v", "") : str();
}

class ParticlesEffect : public ::testing::Test {
 protected:
  void SetUp() override {
    TPlatform::SetContentRoot(ParticlesFixturesDir());
    OpenHeadlessRenderer();
    PointFactoryAt(&list);
    // Pooled systems outlive a test and keep their script's globals across a
    // restart: clear the logs an earlier test left in this script's systems.
    for (GParticleSystem* s : GParticleSystem::GetPool()) {
      if (s->GetName() == "vo_glow") s->GetParticleSystem()->GetScript()->DoLuaString("gLog, gCalls = '', 0");
    }
  }
  std::unique_ptr<GVObject> Make() {
    return std::unique_ptr<GVObject>(GVFactory::GetInstance()->CreateObject(nullptr, "sparkler"));
  }
  static GVParticlesEffect* EffectOf(GVObject* o, const char* state) {
    GVState* s = o->GetStates()->Find(TState::FromStr(state));
    if (!s || !s->effects || s->effects->Elements().empty()) return nullptr;
    return dynamic_cast<GVParticlesEffect*>(s->effects->Elements()[0]);
  }
  GVDrawList list;
};

TEST_F(ParticlesEffect, StateStartsItsScriptAndTheSystemFollowsTheObject) {
  auto o = Make();
  ASSERT_TRUE(o);
  GVParticlesEffect* fx = EffectOf(o.get(), "glow");
  ASSERT_TRUE(fx);
  EXPECT_EQ(fx->GetScriptName(), "vo_glow");
  EXPECT_EQ(fx->GetOffset(), TVec2(10, -4));

  o->SetState(TState::FromStr("glow"), true);
  GParticleSystem* system = fx->mCurrentSystem;
  ASSERT_TRUE(system);
  EXPECT_EQ(system->GetState(), GParticleSystem::kRunning);
  EXPECT_EQ(LuaString(system, "gLog"), "start-1;");
  EXPECT_TRUE(fx->HasTimer());

  o->deltaX = 100;
  o->deltaY = 40;
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(system->GetPosition(), TVec2(110, 36));
  o->deltaX = 150;
  o->changed = 1;
  list.Draw();
  EXPECT_EQ(system->GetPosition(), TVec2(160, 36)) << "it follows the object as it moves";

  Advance(64);
  EXPECT_NE(LuaString(system, "gCalls"), "0") << "its task steps it";
  EXPECT_GT(system->GetParticleSystem()->GetParticleCount(), 0u);

  // Leaving the state lets the system run on.
  o->SetState(TState::FromStr("rest"), true);
  EXPECT_EQ(system->GetState(), GParticleSystem::kRunning);
  EXPECT_EQ(fx->mCurrentSystem, system);

  // Entering it again stops the system and takes the idle one back.
  o->SetState(TState::FromStr("glow"), true);
  EXPECT_EQ(fx->mCurrentSystem, system);
  EXPECT_EQ(LuaString(system, "gLog"), "start-1;stop;start-1;");
}

TEST_F(ParticlesEffect, EffectWhoseSystemIsTakenStopsDrawingAndStepping) {
  std::unique_ptr<GVObject> objects[5];
  for (auto& o : objects) {
    o = Make();
    o->SetState(TState::FromStr("glow"), true);
  }
  GVParticlesEffect* fifth = EffectOf(objects[4].get(), "glow");
  GVParticlesEffect* fourth = EffectOf(objects[3].get(), "glow");
  ASSERT_TRUE(fifth && fourth);
  EXPECT_TRUE(fifth->mCurrentSystem);
  // Whatever earlier tests left idle, four of this script are busy when the
  // fifth object starts: it takes the newest, the fourth object's.
  EXPECT_EQ(fourth->mCurrentSystem, nullptr);
  EXPECT_FALSE(fourth->HasTimer());
  EXPECT_FALSE(objects[3]->GetEffects()->HasStarted());
  EXPECT_TRUE(objects[0]->GetEffects()->HasStarted());
  // Destroying an effect with a running system gives the system back.
  GParticleSystem* s = fifth->mCurrentSystem;
  objects[4].reset();
  EXPECT_EQ(s->GetState(), GParticleSystem::kIdle);
  EXPECT_EQ(s->GetOwner(), nullptr);
}

// The fifth object to glow takes the newest system from the fourth: the
// system starts empty, where the fifth object stands.
TEST_F(ParticlesEffect, ATakenSystemStartsEmptyWhereItsNewOwnerStands) {
  std::unique_ptr<GVObject> objects[5];
  for (int i = 0; i < 5; ++i) {
    objects[i] = Make();
    objects[i]->deltaX = float(100 * i);
    objects[i]->changed = 1;
  }
  list.Draw();
  for (int i = 0; i < 4; ++i) objects[i]->SetState(TState::FromStr("glow"), true);
  Advance(64);
  GParticleSystem* system = EffectOf(objects[3].get(), "glow")->mCurrentSystem;
  ASSERT_GT(system->GetParticleSystem()->GetParticleCount(), 0u);

  objects[4]->SetState(TState::FromStr("glow"), true);
  ASSERT_EQ(EffectOf(objects[4].get(), "glow")->mCurrentSystem, system);
  EXPECT_EQ(system->GetParticleSystem()->GetParticleCount(), 0u);
  Advance(64);
  std::vector<TParticleQuad> quads;
  system->GetParticleSystem()->GetQuads(TVec3(), quads);
  ASSERT_FALSE(quads.empty());
  for (const TParticleQuad& q : quads) EXPECT_EQ(q.x, 410) << "the fifth object's place";
}

}  // namespace
