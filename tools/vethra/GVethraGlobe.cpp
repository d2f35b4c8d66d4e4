#include "GVethraGlobe.h"

#include "visual/GVFactory.h"

namespace {
int Wrap(int position) {
  return ((position % GVethraGlobe::kPositions) + GVethraGlobe::kPositions) % GVethraGlobe::kPositions;
}
}  // namespace

GVethraGlobe::GVethraGlobe() {
  SetWindowSize(200, 200);
}

GVethraGlobe::~GVethraGlobe() {
  delete mVisual;
  mVisual = nullptr;
}

void GVethraGlobe::Build() {
  if (mVisual) return;
  GVFactory* factory = GVFactory::GetInstance();
  factory->drawList = &mDrawList;
  factory->imageFolder = "anim/";
  factory->descriptionFolder = "xml/";
  mVisual = factory->CreateObject(nullptr, "vethra_globe", false, nullptr);
  if (mVisual) {
    if (GVObject* main = mVisual->GetChild("main")) main->listener = this;
    mVisual->visible = 1;
    mVisual->changed = 1;
  }
  ShowModeState();
}

void GVethraGlobe::SetActive(bool active) {
  mMode = active ? kIdle : kInactive;
  ShowModeState();
}

void GVethraGlobe::RotateTo(int position) {
  // Compared once brought into range, so that 4 and 0 name one place and
  // ask for no turn.
  int p = Wrap(position);
  if (p == mTarget) return;
  mTarget = p;
  if (mPosition < 0) {
    mPosition = p;
    mMode = kIdle;
    ShowModeState();
    return;
  }
  // A running turn heads for the new target from its next step on; an
  // inactive globe only remembers it.
  if (mMode != kIdle) return;
  int d = Wrap(p - mPosition);
  // Idle on the new target already (it was given while inactive): nothing
  // to turn, rather than a whole circle.
  if (d == 0) return;
  mMode = d < 3 ? kTurningRight : kTurningLeft;
  ShowModeState();
}

void GVethraGlobe::OnStateEnd(GVObject* object, TState state) {
  if (mMode != kTurningRight && mMode != kTurningLeft) return;
  mPosition = Wrap(mPosition + (mMode == kTurningRight ? 1 : -1));
  if (mPosition == mTarget) {
    mMode = kIdle;
  } else {
    int d = Wrap(mTarget - mPosition);
    // Two steps keep the way the turn started; one or three take the short way.
    if (mMode == kTurningRight)
      mMode = d == 3 ? kTurningLeft : kTurningRight;
    else
      mMode = d == 1 ? kTurningRight : kTurningLeft;
  }
  ShowModeState();
}

void GVethraGlobe::ShowModeState() {
  switch (mMode) {
    case kIdle:
      mShown = mPosition < 0 ? str("noactive") : str::format("%d", mPosition);
      break;
    case kTurningRight:
      mShown = str::format("%d%d", mPosition, Wrap(mPosition + 1));
      break;
    case kTurningLeft:
      mShown = str::format("%d%d", mPosition, Wrap(mPosition - 1));
      break;
    default:
      mShown = "noactive";
      break;
  }
  if (mVisual) mVisual->SetState(TState::FromStr(mShown), true);
}

void GVethraGlobe::PostDraw() {
  TWindow::PostDraw();
  mDrawList.Draw();
}
