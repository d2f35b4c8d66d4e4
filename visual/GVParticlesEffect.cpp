#include "GVParticlesEffect.h"

#include "GVData.h"
#include "GVDrawList.h"
#include "GVObject.h"
#include "sdk/TXmlNode.h"

namespace {

// The step the system is advanced by on every pass of its task (ms).
const uint32_t kStepMs = 30;

}  // namespace

void GVRegisterParticlesEffect(GVEffectRegistry& registry) {
  registry.Register("Particles", &GVParticlesEffect::Make);
}

GVParticlesEffect::GVParticlesEffect() {
  hooked = 1;
}

GVParticlesEffect::~GVParticlesEffect() {
  ReleaseTimer();
  StopOwnSystem();
}

bool GVParticlesEffect::Load(TXmlNode* element, GVBase* owner) {
  mEffectSet = owner;
  if (!element) return true;
  mScriptName = element->GetAttribute("id");
  mPreParticle = element->GetAttribute("isPreParticle").to_int() != 0;
  mOffset = TVec2(element->GetAttribute("deltaX").to_float(), element->GetAttribute("deltaY").to_float());
  return true;
}

GVBase* GVParticlesEffect::CopyTo(GVBase* other) {
  auto* o = dynamic_cast<GVParticlesEffect*>(other);
  if (!o) return nullptr;
  o->mScriptName = mScriptName;
  o->mPreParticle = mPreParticle;
  o->mOffset = mOffset;
  return o;
}

bool GVParticlesEffect::Start() {
  if (!mTimer && owner) {
    auto* task = new TOnTimerCaller<GVParticlesEffect>(this, &GVParticlesEffect::StepSystem, &mTimer);
    mTimer = task;
    GVDrawList* list = owner->GetFirstDrawList();
    AdoptTimerTask(task, list ? list->host : nullptr);
  }
  StopOwnSystem();
  AcquireParticleSystem(mScriptName, this);
  // The pool may give a system another object used: it stands where this
  // object is from its first step, not where the other one was.
  if (owner) Place(owner->GetEffective());
  return mCurrentSystem != nullptr;
}

void GVParticlesEffect::StopOwnSystem() {
  if (!mCurrentSystem) return;
  mRestarting = 1;
  if (mCurrentSystem->GetState() == GParticleSystem::kRunning) mCurrentSystem->Stop();
  mRestarting = 0;
}

bool GVParticlesEffect::StepSystem(TCustomOnTimerCaller*) {
  if (mCurrentSystem) mCurrentSystem->GetParticleSystem()->Update(kStepMs);
  return true;
}

bool GVParticlesEffect::PreDraw(TDrawSpec&) {
  if (mCurrentSystem) mCurrentSystem->GetParticleSystem()->Draw(TVec3(0, 0, 0));
  return true;
}

void GVParticlesEffect::OnData(GVData& v) {
  Place(v);
}

void GVParticlesEffect::Place(const GVData& v) {
  if (mCurrentSystem) mCurrentSystem->SetPosition(TVec2(v.deltaX + mOffset.x, v.deltaY + mOffset.y));
}

void GVParticlesEffect::OnParticleSystemEnd(GParticleSystem* system) {
  if (system && system->GetState() == GParticleSystem::kRunning) {
    mRestarting = 1;
    system->Stop();
    mRestarting = 0;
  }
}

void GVParticlesEffect::OnParticleSystemChanged(GParticleSystem*) {
  if (mRestarting) return;
  ReleaseTimer();
  if (owner)
    if (GVEffects* set = owner->GetEffects()) set->Forget(this);
}

void GVParticlesEffect::ReleaseTimer() {
  if (mTimer) mTimer->Release();
  mTimer = nullptr;
}
