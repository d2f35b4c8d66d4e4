#pragma once
// A pooled particle system loaded from "particles/" + name + ".lua". It is its
// own data source "dPos" (the position its owner gives it) and belongs to at
// most one owner at a time; AcquireParticleSystem reuses idle systems of a
// script and lends at most four of one script at once.

#include <memory>
#include <vector>

#include "sdk/TLuaParticleSystem.h"
#include "sdk/TMath.h"
#include "sdk/str.h"

class GParticleSystem : public TParticleFunction {
 public:
  enum State { kNew = 0, kIdle = 1, kRunning = 2 };

  // What a system's user implements to be told about the system.
  class GParticleSystemOwner {
   public:
    virtual ~GParticleSystemOwner();
    // The script of the owner's running system called "OnEnd".
    virtual void OnParticleSystemEnd(GParticleSystem* system) = 0;
    // The owner's system was taken from it; `system` is its new one (null).
    virtual void OnParticleSystemChanged(GParticleSystem* system) = 0;

    GParticleSystem* mCurrentSystem = nullptr;
  };

  GParticleSystem();
  ~GParticleSystem() override;
  static uintptr_t ClassId();
  bool IsKindOf(uintptr_t id) const override { return id == ClassId() || TParticleFunction::IsKindOf(id); }
  int GetFloatCount() const override { return 2; }
  bool Evaluate(TParticleArgs& args) override;

  void Load(const str& name);
  void Start(GParticleSystemOwner* owner);
  void Stop();
  // The script called "OnEnd".
  void OnEnd();
  // Stops without telling the owner: for an owner that is being destroyed.
  void Abandon(GParticleSystemOwner* owner);

  void SetPosition(const TVec2& position) { mPosition = position; }
  const TVec2& GetPosition() const { return mPosition; }
  TLuaParticleSystem* GetParticleSystem() { return &mSystem; }
  int GetState() const { return mState; }
  GParticleSystemOwner* GetOwner() const { return mOwner; }
  const str& GetName() const { return mName; }
  size_t GetAdditionalSourceCount() const { return mAdditional.size(); }

  // Every system made so far, in order of making.
  static const std::vector<GParticleSystem*>& GetPool();

 private:
  std::vector<std::unique_ptr<TParticleFunction>> mAdditional;
  TLuaParticleSystem mSystem;
  GParticleSystemOwner* mOwner = nullptr;
  int32_t mState = kNew;
  TVec2 mPosition;
  str mName;
  bool mFresh = false;  // loaded and not started since: its script's top has just run
};

// A running system of the script for `owner` (see GParticleSystem).
GParticleSystem* AcquireParticleSystem(const str& name, GParticleSystem::GParticleSystemOwner* owner);
