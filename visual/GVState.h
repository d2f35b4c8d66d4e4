#pragma once
// A state of a visual object: which frames it runs through, how long each
// stays, which state follows, the values it adds and the effects it runs.

#include <vector>

#include "GVConteiner.h"
#include "GVData.h"
#include "TState.h"

class GVCustomEffects;
class GVObject;

// Reads a "framelist" text against `frameCount` frames ("0..3", "5..",
// "0,2,4"); an empty or unusable text gives every frame.
std::vector<int32_t> GVReadFrameList(const str& text, int frameCount);
// Prints a frame list, runs of three or more ascending by one as "a..b".
str GVPrintFrameList(const std::vector<int32_t>& frames);

class GVState : public GVData {
 public:
  GVState() : GVData(kState) {}
  ~GVState() override;
  bool Load(TXmlNode* element, GVBase* owner) override;
  bool Save(TXmlNode* element) override;
  GVBase* CopyTo(GVBase* other) override;

  int32_t delay = 100;  // ms each frame stays
  std::vector<int32_t> frames;
  TState id;
  TState next;
  GVCustomEffects* effects = nullptr;  // owned
};

class GVStates : public GVConteiner<GVState, TState> {
 public:
  GVStates(GVObject* owner, int frameCount)
      : GVConteiner(kStates, "state"), owner(owner), frameCount(frameCount) {}
  GVObject* GetParentObject() const override { return owner; }
  GVBase* GetParent() const override;
  bool SaveElement(TXmlNode* node, GVState* state) override;
  GVState* CreateElement(TXmlNode* node) override;
  GVState* CloneElement(GVState* item) override;
  TState KeyOf(const GVState* item) const override { return item->id; }

  // Loads the "state" children and makes sure a "normal" state exists.
  static bool LoadStates(TXmlNode* element, GVStates* states, GVObject* object);
  static void BindEffects(GVStates* states, GVObject* object);

  GVObject* owner;
  TState queued;
  int32_t frameCount;
};
