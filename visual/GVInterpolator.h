#pragma once
// Key-frame interpolators of object states: on their own timer they walk a
// list of keys once per cycle and change the object's values on the way.

#include <vector>

#include "GVEffect.h"
#include "TOnTimerCaller.h"

class GVDefInterpolator : public GVEffect {
  GVEFFECT_CLASS(GVDefInterpolator, GVEffect)
 public:
  GVDefInterpolator() { hooked = 1; }
  ~GVDefInterpolator() override;

  bool Load(TXmlNode* element, GVBase* owner) override;
  GVBase* CopyTo(GVBase* other) override;
  bool Start() override;
  bool Stop() override;
  void OnData(GVData& values) override;
  virtual int ParseKeys(const str& text);
  virtual void Interpolate(GVData& values, int index, float fraction) = 0;

  // Reads decimal numbers (sign, digits, fraction) separated by anything else.
  static std::vector<float> ReadKeys(const str& text);

  uint32_t time = 100;  // ms of one cycle
  uint32_t quant = 30;  // ms between timer steps
  uint32_t elapsed = 0;
  int32_t keyCount = 0;
  std::vector<float> keys;

 protected:
  bool TimerStep(TCustomOnTimerCaller* task);
  TCustomOnTimerCaller* mTask = nullptr;
  GVData* mTarget = nullptr;
};

class GVAlphaInterpolator : public GVDefInterpolator {
  GVEFFECT_CLASS(GVAlphaInterpolator, GVDefInterpolator)
 public:
  str GetKind() const override { return "AlphaInterpolator"; }
  void Interpolate(GVData& values, int index, float fraction) override;
};

class GVScaleInterpolator : public GVDefInterpolator {
  GVEFFECT_CLASS(GVScaleInterpolator, GVDefInterpolator)
 public:
  str GetKind() const override { return "ScaleInterpolator"; }
  void Interpolate(GVData& values, int index, float fraction) override;
};

// Keeps "keys_y" in `keys` and "keys_x" in its own list.
class GVDeltaInterpolator : public GVDefInterpolator {
  GVEFFECT_CLASS(GVDeltaInterpolator, GVDefInterpolator)
 public:
  str GetKind() const override { return "DeltaInterpolator"; }
  bool Load(TXmlNode* element, GVBase* owner) override;
  GVBase* CopyTo(GVBase* other) override;
  int ParseKeys(const str&) override { return 0; }
  void Interpolate(GVData& values, int index, float fraction) override;
  std::vector<float> keysX;
};

// Enters the built-in kinds into the registry.
void GVRegisterBuiltinEffects(GVEffectRegistry& registry);
