#pragma once
// The game's data sources for particle scripts: two-float vectors that their
// owners set (a sprite's position and up direction, a layer's mouse position)
// or that make a value of their own (GAppearStars), and the registry of the
// kinds that scripts may ask for by name in "AdditionalVars".

#include <cstdint>

#include "sdk/TLuaParticleSystem.h"
#include "sdk/TMath.h"
#include "sdk/str.h"

// A data source that gives its vector as last set.
class TParticleVector : public TParticleFunction {
 public:
  explicit TParticleVector(const TVec2& initial) : mValue(initial) {}
  int GetFloatCount() const override { return 2; }
  bool Evaluate(TParticleArgs& args) override;
  void SetValue(const TVec2& v) { mValue = v; }
  const TVec2& GetValue() const { return mValue; }

 protected:
  TVec2 mValue;
};

#define TPARTICLE_FUNCTION_CLASS(Class, Base)                   \
 public:                                                        \
  static TParticleFunction* CreateInstance() {                  \
    return new Class();                                         \
  }                                                             \
  static uintptr_t ClassId() {                                  \
    return reinterpret_cast<uintptr_t>(&Class::CreateInstance); \
  }                                                             \
  const char* GetTypeName() const override {                    \
    return #Class;                                              \
  }                                                             \
  bool IsKindOf(uintptr_t id) const override {                  \
    return id == ClassId() || Base::IsKindOf(id);               \
  }

// The screen position of a sprite effect; starts at the screen centre.
class TEmitterLocus : public TParticleVector {
  TPARTICLE_FUNCTION_CLASS(TEmitterLocus, TParticleFunction)
 public:
  TEmitterLocus() : TParticleVector(TVec2(400, 300)) {}
};

// The up direction of a sprite effect.
class TEmitterUp : public TParticleVector {
  TPARTICLE_FUNCTION_CLASS(TEmitterUp, TParticleFunction)
 public:
  TEmitterUp() : TParticleVector(TVec2(0, -1)) {}
};

// The mouse position over a particle layer, or a fly emitter's position.
class particle_layerLocus : public TParticleVector {
  TPARTICLE_FUNCTION_CLASS(particle_layerLocus, TParticleFunction)
 public:
  particle_layerLocus() : TParticleVector(TVec2(0, 0)) {}
};

// Four offsets around a point, one per evaluation: (30, 30), (30, -30),
// (-30, 30), (-30, -30), then again.
class GAppearStars : public TParticleVector {
  TPARTICLE_FUNCTION_CLASS(GAppearStars, TParticleFunction)
 public:
  GAppearStars() : TParticleVector(TVec2(0, 0)) {}
  bool Evaluate(TParticleArgs& args) override;

 private:
  int mCount = 0;
};

typedef TParticleFunction* (*TParticleFunctionCreator)();

// Adds a kind unless the name is taken; "AppearStars" is there from the start.
bool RegisterParticleFunction(const str& name, TParticleFunctionCreator creator);
// A new source of the named kind, registered in `system` under that name;
// null when no kind has the name. The caller owns the result.
TParticleFunction* CreateRegisteredParticleFunction(const str& name, TLuaParticleSystem* system);
