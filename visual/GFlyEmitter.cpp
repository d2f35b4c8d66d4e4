#include "GFlyEmitter.h"

#include <algorithm>

#include "game/LuaBinding.h"
#include "particle_layer.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "sdk/TWindowStyle.h"

namespace {

const char* const kInitComplete = "CPP_OnPrtInitComplete";

std::vector<GFlyEmitter*>& Emitters() {
  static std::vector<GFlyEmitter*> emitters;
  return emitters;
}

}  // namespace

const std::vector<GFlyEmitter*>& GFlyEmitter::GetEmitters() {
  return Emitters();
}

GFlyEmitter::GFlyEmitter() {
  mMobile.mWindow = this;
  mMobile.mListener = this;
  SetFlags(0);
  // An emitter that finds no layer still follows its own position.
  mSystem.RegisterDataSource("dLocus", &mLocus);
  if (Emitters().empty()) BindLuaMember(kInitComplete, this, &GFlyEmitter::OnPrtInitComplete);
  Emitters().push_back(this);
}

GFlyEmitter::~GFlyEmitter() {
  std::vector<GFlyEmitter*>& list = Emitters();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (list.empty()) {
    UnbindLuaMember(kInitComplete);
  } else if (LuaBinding::BoundObject(kInitComplete) == this) {
    // The binding's record names this emitter: hand it to one that lives.
    BindLuaMember(kInitComplete, list.front(), &GFlyEmitter::OnPrtInitComplete);
  }
  if (mLayer) mLayer->DetachClient(this);
  mLayer = nullptr;
  mSystem.UnregisterDataSource(&mLocus);
}

void GFlyEmitter::OnLayerDestroyed(particle_layer* layer) {
  if (mLayer == layer) mLayer = nullptr;
}

void GFlyEmitter::MoveTo(int x, int y) {
  GSCanMove::SetPosition(float(x), float(y));
  mLocus.SetValue(TVec2(float(x), float(y)));
  SetWindowPos(x, y);
}

void GFlyEmitter::Init(TWindowStyle& style) {
  TWindow::Init(style);
  StartWindowAnimation(16, true, true, false);
  mScriptPath = style.GetString("FX_fly", "particles/particle_fx1.lua");
  mLayerName = style.GetString("RenderTo", "particle_layer");
  const str mover = style.GetString("mover", "LineMove");
  mMover.reset(CreateMoveType(mover.c_str()));
  if (mMover) mMover->Init(style);
  mSteps = style.GetInt("time", 0);
  if (mSteps < 0) {
    Report("GFlyEmitter \"%s\": time %d is negative; 0 taken", GetName().c_str(), mSteps);
    mSteps = 0;
  }
  mLoop = style.GetBool("loop", false);
}

bool GFlyEmitter::OnTaskAnimate() {
  Advance(16);
  return true;
}

void GFlyEmitter::Start(int steps) {
  SetFlags(GetFlags() | kShown);
  // The mobile starts where the window is: a mover that keeps the position
  // ("LineMove") must not send the window to the corner.
  mMobile.GSCanMove::SetPosition(float(GetX()), float(GetY()));
  mMobile.StartRun(mMover.get(), float(steps));
  // Switched on before the first step: a one-step run finishes inside that
  // step and switches it off, and must not be left emitting once hidden.
  mSystem.GetScript()->DoLuaString("gActive = true;");
  // A looping one-step run restarts from inside its own finish; stepping at
  // once there would finish and restart again without end.
  if (!(mMobile.IsFinishing() && steps <= 1)) mMobile.Step();
}

void GFlyEmitter::Advance(int step) {
  mMobile.Step();
  mSystem.Update(uint32_t(std::max(0, step)));
}

bool GFlyEmitter::OnMoveFinished() {
  if (mLoop) {
    Start(mSteps);
    return false;
  }
  mSystem.GetScript()->DoLuaString("gActive = false;");
  return true;
}

void GFlyEmitter::OnParticlesReady() {
  mSystem.GetScript()->DoLuaString("gActive = false;");
  if (!mLayer) {
    if (particle_layer* layer = FindParticleLayer(mLayerName)) {
      mLayer = layer;
      mLocus.SetValue(TVec2(float(GetX()), float(GetY())));
      layer->AttachClient(this, &mLocus);
    }
  }
  mSystem.LoadScript(mScriptPath);
  if (TWindow* image = GetChildWindow("FlyEmitter_Img")) image->SetFlags(0);
  Start(mSteps);
}

void GFlyEmitter::OnPrtInitComplete() {
  // Every emitter, whichever one the binding names. Emitters made by a
  // script during this walk wait for the next call.
  const std::vector<GFlyEmitter*> emitters = Emitters();
  for (GFlyEmitter* e : emitters)
    if (std::find(Emitters().begin(), Emitters().end(), e) != Emitters().end()) e->OnParticlesReady();
}
