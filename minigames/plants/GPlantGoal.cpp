#include "GPlantGoal.h"

#include "visual/GVObject.h"

GPlantGoal::GPlantGoal(const str& name, float step, GVObject* icon) : mIcon(icon), mName(name), mStep(step) {
  if (!mIcon) return;
  mMain = mIcon->GetChild("main");
  mIcon->visible = 1;
  mIcon->changed = 1;
  ShowAlpha();
}

GPlantGoal::~GPlantGoal() {
  delete mIcon;
}

void GPlantGoal::Fade(float target) {
  mTarget = target;
  mFading = true;
}

void GPlantGoal::Step() {
  if (!mFading) return;
  if (mTarget == 1.0f) {
    float next = mAlpha + mStep;
    if (next < 1.0f) {
      mAlpha = next;
    } else {
      mAlpha = 1.0f;
      mFading = false;
    }
  } else {
    float next = mAlpha - mStep;
    if (next > 0.0f) {
      mAlpha = next;
    } else {
      mAlpha = 0.0f;
      mFading = false;
    }
  }
  ShowAlpha();
}

void GPlantGoal::ShowAlpha() {
  if (!mMain) return;
  mMain->alpha = mAlpha;
  mMain->changed = 1;
}
