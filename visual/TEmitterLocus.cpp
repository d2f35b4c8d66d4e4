#include "TEmitterLocus.h"

#include <map>

bool TParticleVector::Evaluate(TParticleArgs& args) {
  const float v[2] = {mValue.x, mValue.y};
  args.Append(v, 2);
  return true;
}

bool GAppearStars::Evaluate(TParticleArgs& args) {
  static const TVec2 kCorners[4] = {TVec2(-30, -30), TVec2(30, 30), TVec2(30, -30), TVec2(-30, 30)};
  if (++mCount > 3) mCount = 0;
  mValue = kCorners[mCount];
  return TParticleVector::Evaluate(args);
}

namespace {

std::map<str, TParticleFunctionCreator>& Kinds() {
  static std::map<str, TParticleFunctionCreator> kinds{{"AppearStars", &GAppearStars::CreateInstance}};
  return kinds;
}

}  // namespace

bool RegisterParticleFunction(const str& name, TParticleFunctionCreator creator) {
  Kinds().insert(std::make_pair(name, creator));
  return true;
}

TParticleFunction* CreateRegisteredParticleFunction(const str& name, TLuaParticleSystem* system) {
  auto it = Kinds().find(name);
  if (it == Kinds().end() || !it->second) return nullptr;
  TParticleFunction* source = it->second();
  if (source && system) system->RegisterDataSource(name, source);
  return source;
}
