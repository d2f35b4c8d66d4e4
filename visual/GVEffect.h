#pragma once
// Effects of visual-object states: made by kind from the element name, bound
// to their object, started while their state is current, and hooked into the
// object's drawing, frame steps and value computation.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "GVConteiner.h"

class GVObject;
class GVData;
struct TDrawSpec;

// Class identity of effects: the address of a function of the class that
// returns its own address.
#define GVEFFECT_CLASS(Class, Base)                      \
 public:                                                 \
  static uintptr_t ClassId() {                           \
    return reinterpret_cast<uintptr_t>(&Class::ClassId); \
  }                                                      \
  const char* GetTypeName() const override {             \
    return #Class;                                       \
  }                                                      \
  bool IsKindOf(uintptr_t id) const override {           \
    return id == ClassId() || Base::IsKindOf(id);        \
  }

class GVEffect : public GVBase {
 public:
  GVEffect() : GVBase(kEffect) {}
  ~GVEffect() override = default;

  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode*) override { return false; }
  GVBase* CopyTo(GVBase* other) override;
  static uintptr_t ClassId() { return reinterpret_cast<uintptr_t>(&GVEffect::ClassId); }
  virtual const char* GetTypeName() const { return "GVEffect"; }
  virtual bool IsKindOf(uintptr_t id) const { return id == ClassId(); }
  virtual void SetEnabled(int32_t value) { enabled = value; }
  // The name the kind is registered under.
  virtual str GetKind() const { return str(); }
  virtual bool Start() { return false; }
  virtual bool Stop() { return true; }
  virtual bool Bind(GVObject* object) {
    owner = object;
    return object != nullptr;
  }
  // False keeps the frame from being drawn.
  virtual bool PreDraw(TDrawSpec&) { return true; }
  virtual void PostDraw(TDrawSpec&) {}
  virtual void OnFrame(int previousPosition) {}
  virtual void OnData(GVData& effective) {}

  int32_t hooked = 0;
  str id;
  int32_t enabled = 1;
  GVObject* owner = nullptr;
};

// Kind name to maker; the built-in kinds are registered at start.
class GVEffectRegistry {
 public:
  typedef GVEffect* (*Maker)();
  static GVEffectRegistry& GetInstance();
  void Register(const str& kind, Maker maker) { mMakers[kind] = maker; }
  // A new effect of the kind, or null when the kind is unknown.
  GVEffect* Make(const str& kind) const;

 private:
  std::map<str, Maker> mMakers;
};

class GVCustomEffects : public GVConteiner<GVEffect, str> {
 public:
  GVCustomEffects() : GVConteiner(kEffects, "") {}
  GVBase* GetParent() const override { return mOwner; }
  bool Load(TXmlNode* element, GVBase* owner) override;
  GVBase* CopyTo(GVBase* other) override;
  GVEffect* CreateElement(TXmlNode* node) override;
  GVEffect* CloneElement(GVEffect* item) override;
  str KeyOf(const GVEffect* item) const override { return item->id; }
  void SetOwner(GVBase* owner) { mOwner = owner; }

 protected:
  GVBase* mOwner = nullptr;
};

// The effect set of an object: also the lists of started effects and of the
// hooks they take part in.
class GVEffects : public GVCustomEffects {
 public:
  static void BindAll(GVCustomEffects* set, GVObject* object);
  void StartStateEffects(GVCustomEffects* stateEffects);
  void StopStateEffects(GVCustomEffects* stateEffects);
  bool PreDraw(TDrawSpec& spec);
  void PostDraw(TDrawSpec& spec);
  void OnFrame(int previousPosition);
  void OnData(GVData& effective);
  bool HasStarted() const { return !mStarted.empty(); }
  // Takes an effect that ended by itself out of the hooks and the started list.
  void Forget(GVEffect* effect) { Unhook(effect); }

 private:
  void Unhook(GVEffect* e);
  std::vector<GVEffect*> mPreDraw, mPostDraw, mFrame, mData, mStarted;
};
