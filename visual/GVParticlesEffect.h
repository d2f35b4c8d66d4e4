#pragma once
// The "Particles" effect of a visual-object state: entering the state starts
// a pooled particle system of the script named by "id", which follows the
// object, is drawn just before the object's frame and runs on until its
// script ends, even after the state is left.

#include "GParticleSystem.h"
#include "GVEffect.h"
#include "TOnTimerCaller.h"
#include "sdk/TMath.h"

class GVEffectRegistry;

class GVParticlesEffect : public GVEffect, public GParticleSystem::GParticleSystemOwner {
  GVEFFECT_CLASS(GVParticlesEffect, GVEffect)
 public:
  GVParticlesEffect();
  ~GVParticlesEffect() override;
  static GVEffect* Make() { return new GVParticlesEffect(); }
  str GetKind() const override { return "Particles"; }

  bool Load(TXmlNode* element, GVBase* owner) override;
  GVBase* CopyTo(GVBase* other) override;
  bool Start() override;
  bool Stop() override { return true; }
  bool PreDraw(TDrawSpec& spec) override;
  void OnData(GVData& effective) override;

  void OnParticleSystemEnd(GParticleSystem* system) override;
  void OnParticleSystemChanged(GParticleSystem* system) override;

  const str& GetScriptName() const { return mScriptName; }
  const TVec2& GetOffset() const { return mOffset; }
  bool IsPreParticle() const { return mPreParticle != 0; }
  bool HasTimer() const { return mTimer != nullptr; }

 private:
  int32_t mRestarting = 0;
  TVec2 mOffset;
  str mScriptName;
  TCustomOnTimerCaller* mTimer = nullptr;
  GVBase* mEffectSet = nullptr;
  uint8_t mPreParticle = 0;

  bool StepSystem(TCustomOnTimerCaller* task);
  // Puts the system at the object's place given its effective values.
  void Place(const GVData& effective);
  // Stops the current system without taking this effect out of its lists.
  void StopOwnSystem();
  void ReleaseTimer();
};

void GVRegisterParticlesEffect(GVEffectRegistry& registry);
