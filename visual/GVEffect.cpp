#include "GVEffect.h"

#include <algorithm>

#include "GVData.h"
#include "GVInterpolator.h"
#include "sdk/TXmlNode.h"

bool GVEffect::Load(TXmlNode* element, GVBase*) {
  enabled = GVReadBoolAttribute("enable", element) ? 1 : 0;
  id = element ? element->GetAttribute("id") : str();
  return true;
}

GVBase* GVEffect::CopyTo(GVBase* other) {
  GVEffect* o = dynamic_cast<GVEffect*>(other);
  if (!o) return nullptr;
  o->id = id;
  o->enabled = enabled;
  return o;
}

GVEffectRegistry& GVEffectRegistry::GetInstance() {
  static GVEffectRegistry instance;
  // Registered here rather than by static objects, which a static library
  // would drop when nothing else refers to their file.
  static bool registered = (GVRegisterBuiltinEffects(instance), true);
  (void)registered;
  return instance;
}

GVEffect* GVEffectRegistry::Make(const str& kind) const {
  auto it = mMakers.find(kind);
  return it == mMakers.end() ? nullptr : it->second();
}

bool GVCustomEffects::Load(TXmlNode* element, GVBase* owner) {
  mOwner = owner;
  return GVConteiner::Load(element, owner);
}

GVBase* GVCustomEffects::CopyTo(GVBase* other) {
  auto* o = dynamic_cast<GVCustomEffects*>(other);
  if (!o || !GVConteiner::CopyTo(o)) return nullptr;
  o->mOwner = mOwner;
  return o;
}

GVEffect* GVCustomEffects::CreateElement(TXmlNode* node) {
  GVEffect* e = GVEffectRegistry::GetInstance().Make(node->GetName());
  if (!e) return nullptr;
  if (e->Load(node, this)) return e;
  delete e;
  return nullptr;
}

GVEffect* GVCustomEffects::CloneElement(GVEffect* item) {
  GVEffect* e = GVEffectRegistry::GetInstance().Make(item->GetKind());
  if (!e) return nullptr;
  if (item->CopyTo(e)) return e;
  delete e;
  return nullptr;
}

void GVEffects::BindAll(GVCustomEffects* set, GVObject* object) {
  if (!set) return;
  for (GVEffect* e : set->Elements()) e->Bind(object);
}

void GVEffects::StartStateEffects(GVCustomEffects* stateEffects) {
  if (!stateEffects) return;
  for (GVEffect* e : stateEffects->Elements()) {
    if (!e->Start()) continue;
    if (std::find(mStarted.begin(), mStarted.end(), e) != mStarted.end()) continue;
    if (e->hooked) {
      mPreDraw.push_back(e);
      mPostDraw.push_back(e);
      mFrame.push_back(e);
      mData.push_back(e);
    }
    mStarted.push_back(e);
  }
}

void GVEffects::Unhook(GVEffect* e) {
  for (auto* list : {&mPreDraw, &mPostDraw, &mFrame, &mData, &mStarted})
    list->erase(std::remove(list->begin(), list->end(), e), list->end());
}

void GVEffects::StopStateEffects(GVCustomEffects* stateEffects) {
  if (!stateEffects) return;
  for (GVEffect* e : stateEffects->Elements())
    if (e->Stop()) Unhook(e);
}

bool GVEffects::PreDraw(TDrawSpec& spec) {
  for (GVEffect* e : mPreDraw)
    if (!e->PreDraw(spec)) return false;
  return true;
}

void GVEffects::PostDraw(TDrawSpec& spec) {
  for (GVEffect* e : mPostDraw) e->PostDraw(spec);
}

void GVEffects::OnFrame(int previousPosition) {
  for (GVEffect* e : mFrame) e->OnFrame(previousPosition);
}

void GVEffects::OnData(GVData& effective) {
  for (GVEffect* e : mData) e->OnData(effective);
}
