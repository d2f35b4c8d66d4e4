#include "GVInterpolator.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "GVDrawList.h"
#include "GVObject.h"
#include "GVParticlesEffect.h"
#include "GVState.h"
#include "sdk/TXmlNode.h"

namespace {
template <class T>
GVEffect* Make() {
  return new T;
}

// Straight-line value between key i and the next; a single key is applied as it is.
float Lerp(const std::vector<float>& k, int i, float f) {
  if (k.empty()) return 0;
  if (i < 0) i = 0;
  if (size_t(i + 1) >= k.size()) return k[std::min(size_t(i), k.size() - 1)];
  return k[i] + (k[i + 1] - k[i]) * f;
}
}  // namespace

void GVRegisterBuiltinEffects(GVEffectRegistry& r) {
  r.Register("AlphaInterpolator", &Make<GVAlphaInterpolator>);
  r.Register("ScaleInterpolator", &Make<GVScaleInterpolator>);
  r.Register("DeltaInterpolator", &Make<GVDeltaInterpolator>);
  GVRegisterParticlesEffect(r);
}

std::vector<float> GVDefInterpolator::ReadKeys(const str& text) {
  std::vector<float> out;
  const char* p = text.c_str();
  while (*p) {
    bool starts = isdigit((unsigned char)*p) || *p == '-' || *p == '+' || *p == '.';
    if (!starts) {
      ++p;
      continue;
    }
    char* end = nullptr;
    float v = strtof(p, &end);
    if (end == p) {  // a lone sign or point
      ++p;
      continue;
    }
    if (std::isfinite(v)) out.push_back(v);
    p = end;
  }
  return out;
}

GVDefInterpolator::~GVDefInterpolator() {
  if (mTask) mTask->Release();
}

int GVDefInterpolator::ParseKeys(const str& text) {
  keys = ReadKeys(text);
  return int(keys.size());
}

static uint32_t DefaultTime(GVBase* set) {
  GVBase* owner = set ? set->GetParent() : nullptr;
  if (owner && owner->GetTypeCode() == GVBase::kState) {
    GVState* s = static_cast<GVState*>(owner);
    uint32_t n = uint32_t(s->frames.size());
    return uint32_t(s->delay) * n * n;
  }
  return 100;
}

bool GVDefInterpolator::Load(TXmlNode* element, GVBase* owner) {
  GVEffect::Load(element, owner);
  time = GVReadUIntAttribute("time", element, DefaultTime(owner));
  quant = GVReadUIntAttribute("quant", element, 30);
  keyCount = ParseKeys(element ? element->GetAttribute("keys") : str());
  return keyCount != 0;
}

GVBase* GVDefInterpolator::CopyTo(GVBase* other) {
  if (!other || other->GetTypeCode() != kEffect) return nullptr;
  GVEffect::CopyTo(other);
  if (auto* o = dynamic_cast<GVDefInterpolator*>(other)) {
    o->time = time;
    o->quant = quant;
    o->keyCount = keyCount;
    o->keys = keys;
  }
  return other;
}

bool GVDefInterpolator::Start() {
  elapsed = 0;
  if (!mTask) {
    mTask = new TOnTimerCaller<GVDefInterpolator>(this, &GVDefInterpolator::TimerStep, &mTask);
    GVDrawList* list = owner ? owner->GetFirstDrawList() : nullptr;
    AdoptTimerTask(mTask, list ? list->host : nullptr);
  }
  mTask->Pause(false);
  mTask->SetDelay(quant, true, true, false);
  return true;
}

bool GVDefInterpolator::Stop() {
  if (mTask) mTask->Pause(true);
  return true;
}

bool GVDefInterpolator::TimerStep(TCustomOnTimerCaller* task) {
  if (!enabled) {
    task->Pause(true);
    return true;
  }
  elapsed += quant;
  if (mTarget) mTarget->changed = 1;
  return true;
}

void GVDefInterpolator::OnData(GVData& values) {
  mTarget = &values;
  if (keyCount <= 0) return;
  // A zero cycle or a single key leaves no interval: the first key holds.
  if (time == 0 || keyCount == 1) {
    Interpolate(values, 0, 0);
    return;
  }
  float f = float(double(elapsed % time) * double(keyCount - 1) / double(time));
  int i = int(f);
  Interpolate(values, i, f - float(i));
}

void GVAlphaInterpolator::Interpolate(GVData& v, int i, float f) {
  v.alpha *= Lerp(keys, i, f);
  v.changed = 1;
}

void GVScaleInterpolator::Interpolate(GVData& v, int i, float f) {
  v.scaling *= Lerp(keys, i, f);
  v.changed = 1;
}

bool GVDeltaInterpolator::Load(TXmlNode* element, GVBase* owner) {
  GVEffect::Load(element, owner);
  time = GVReadUIntAttribute("time", element, DefaultTime(owner));
  quant = GVReadUIntAttribute("quant", element, 30);
  keysX = ReadKeys(element ? element->GetAttribute("keys_x") : str());
  keys = ReadKeys(element ? element->GetAttribute("keys_y") : str());
  keyCount = int(std::min(keysX.size(), keys.size()));
  return keyCount != 0;
}

GVBase* GVDeltaInterpolator::CopyTo(GVBase* other) {
  if (!GVDefInterpolator::CopyTo(other)) return nullptr;
  if (auto* o = dynamic_cast<GVDeltaInterpolator*>(other)) o->keysX = keysX;
  return other;
}

void GVDeltaInterpolator::Interpolate(GVData& v, int i, float f) {
  v.deltaX += Lerp(keysX, i, f);
  v.deltaY += Lerp(keys, i, f);
  v.changed = 1;
}
