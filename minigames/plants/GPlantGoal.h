#pragma once
// One plant the plants game asks for: its name and its icon on the plan,
// whose alpha fades towards full while the plant lies in the plants
// inventory and back to nothing when it leaves.

#include "sdk/str.h"

class GVObject;

class GPlantGoal {
 public:
  // Takes the icon over (it may be null); its "main" shows the alpha.
  GPlantGoal(const str& name, float step, GVObject* icon);
  ~GPlantGoal();
  GPlantGoal(const GPlantGoal&) = delete;
  GPlantGoal& operator=(const GPlantGoal&) = delete;

  void FadeIn() { Fade(1.0f); }
  void FadeOut() { Fade(0.0f); }
  // One tick of a running fade.
  void Step();

  const str& GetName() const { return mName; }
  float GetAlpha() const { return mAlpha; }
  bool IsFading() const { return mFading; }
  bool IsFull() const { return mAlpha == 1.0f; }
  GVObject* GetIcon() const { return mIcon; }

 private:
  void Fade(float target);
  void ShowAlpha();

  GVObject* mIcon = nullptr;  // owned
  GVObject* mMain = nullptr;
  str mName;
  bool mFading = false;
  float mAlpha = 0;
  float mTarget = 1.0f;
  float mStep = 0.01f;  // alpha a tick
};
