#include "GParticleSystem.h"

#include "LuaUtils.h"
#include "TEmitterLocus.h"

namespace {

const char* const kOnStart = "OnStart";
const char* const kOnStop = "OnStop";

// The pool and its systems live until the process ends: owners may still
// point at them while statics are torn down, so nothing here is destroyed.
std::vector<GParticleSystem*>& Pool() {
  static std::vector<GParticleSystem*>* pool = new std::vector<GParticleSystem*>();
  return *pool;
}

}  // namespace

GParticleSystem::GParticleSystemOwner::~GParticleSystemOwner() {
  if (mCurrentSystem) mCurrentSystem->Abandon(this);
}

GParticleSystem::GParticleSystem() = default;

GParticleSystem::~GParticleSystem() {
  // The sources must not be evaluated once they are gone.
  for (auto& s : mAdditional) mSystem.UnregisterDataSource(s.get());
  mSystem.UnregisterDataSource(this);
}

uintptr_t GParticleSystem::ClassId() {
  return reinterpret_cast<uintptr_t>(&GParticleSystem::ClassId);
}

bool GParticleSystem::Evaluate(TParticleArgs& args) {
  const float v[2] = {mPosition.x, mPosition.y};
  args.Append(v, 2);
  return true;
}

const std::vector<GParticleSystem*>& GParticleSystem::GetPool() {
  return Pool();
}

void GParticleSystem::Load(const str& name) {
  const str path = "particles/" + name + ".lua";
  mSystem.BindFunction("ScriptDump", [](lua_State* L) {
    LuaArgToStr(L);
    return 0;
  });
  mSystem.BindFunction("OnEnd", [this](lua_State*) {
    OnEnd();
    return 0;
  });
  mSystem.RegisterDataSource("dPos", this);
  mSystem.LoadScript(path);  // a failed script still gives an idle system

  for (const str& var : mSystem.GetGlobalStrings("AdditionalVars"))
    if (TParticleFunction* source = CreateRegisteredParticleFunction(var, &mSystem))
      mAdditional.emplace_back(source);
  mName = name;
  mState = kIdle;
  mFresh = true;
}

void GParticleSystem::Start(GParticleSystemOwner* owner) {
  if (mState != kIdle) return;
  mState = kRunning;
  mOwner = owner;
  if (owner) {
    if (owner->mCurrentSystem && owner->mCurrentSystem != this &&
        owner->mCurrentSystem->GetState() == kRunning)
      owner->mCurrentSystem->Stop();
    owner->mCurrentSystem = this;
  }
  // Every start plays as the first did: the script's top runs again on fresh
  // emitters (a one-shot that switches itself on there fires again), and
  // nothing of an earlier owner's particles is left to be drawn at its place.
  if (!mFresh) mSystem.RestartScript();
  mFresh = false;
  mSystem.CallHook(kOnStart, true, -1);
}

void GParticleSystem::Stop() {
  if (mState != kRunning) return;
  mState = kIdle;
  if (GParticleSystemOwner* owner = mOwner) {
    mOwner = nullptr;
    owner->mCurrentSystem = nullptr;
    owner->OnParticleSystemChanged(nullptr);
  }
  mOwner = nullptr;
  mSystem.CallHook(kOnStop);
}

void GParticleSystem::Abandon(GParticleSystemOwner* owner) {
  if (mOwner != owner) return;
  owner->mCurrentSystem = nullptr;
  mOwner = nullptr;
  if (mState == kRunning) {
    mState = kIdle;
    mSystem.CallHook(kOnStop);
  }
}

void GParticleSystem::OnEnd() {
  if (mOwner) {
    mOwner->OnParticleSystemEnd(this);
    return;
  }
  if (mState == kRunning) {
    mState = kIdle;
    mSystem.CallHook(kOnStop);
  }
}

GParticleSystem* AcquireParticleSystem(const str& name, GParticleSystem::GParticleSystemOwner* owner) {
  std::vector<GParticleSystem*>& pool = Pool();
  int count = 0;
  for (GParticleSystem* s : pool) {
    if (s->GetName() != name) continue;
    ++count;
    if (s->GetState() == GParticleSystem::kIdle) {
      s->Start(owner);
      return s;
    }
  }
  if (count > 3) {
    for (auto it = pool.rbegin(); it != pool.rend(); ++it) {
      GParticleSystem* s = *it;
      if (s->GetName() != name) continue;
      if (s->GetState() == GParticleSystem::kRunning) s->Stop();
      if (s->GetState() == GParticleSystem::kIdle) s->Start(owner);
      return s;
    }
  }
  GParticleSystem* s = new GParticleSystem();
  s->Load(name);
  pool.push_back(s);
  s->Start(owner);
  return s;
}
