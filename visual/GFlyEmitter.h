#pragma once
// A window that carries a particle trail over the screen along a path for a
// fixed number of steps. Scripts create emitters, then call
// "CPP_OnPrtInitComplete" once: each emitter then attaches to its particle
// layer, loads its script and starts its run.

#include <memory>
#include <vector>

#include "GWndMobile.h"
#include "TEmitterLocus.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TWindow.h"

class GFlyEmitter : public TWindow, public GSCanMove, public GFinishMobileLstnr {
  TWINDOW_CLASS(GFlyEmitter, TWindow)
 public:
  GFlyEmitter();
  ~GFlyEmitter() override;

  virtual void MoveTo(int x, int y);
  void Init(TWindowStyle& style) override;
  bool OnTaskAnimate() override;

  void Start(int steps);
  // The per-emitter work of "CPP_OnPrtInitComplete".
  void OnParticlesReady();

  void Advance(int step) override;
  bool OnMoveFinished() override;
  TLuaParticleSystem* GetParticleSystem() override { return &mSystem; }
  void OnLayerDestroyed(particle_layer* layer) override;

  particle_layer* GetLayer() const { return mLayer; }
  const GWndMobile& GetMobile() const { return mMobile; }
  const str& GetScriptPath() const { return mScriptPath; }
  int GetSteps() const { return mSteps; }
  bool IsLooping() const { return mLoop; }

  // Every living emitter, in order of making.
  static const std::vector<GFlyEmitter*>& GetEmitters();

 private:
  GWndMobile mMobile;
  std::unique_ptr<GSMoveType> mMover;
  str mScriptPath = "particles/particle_fx1.lua";
  str mLayerName = "particle_layer";
  TLuaParticleSystem mSystem;
  particle_layer* mLayer = nullptr;
  particle_layerLocus mLocus;
  int mSteps = 0;
  bool mLoop = false;

  // The handler of "CPP_OnPrtInitComplete": restarts every emitter.
  void OnPrtInitComplete();
};
