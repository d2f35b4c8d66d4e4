#pragma once
// A window that advances and draws the particle systems of the fly emitters
// attached to it, and gives its own locus the mouse position. Layers are
// found by the name their style gives.

#include <vector>

#include "TEmitterLocus.h"
#include "sdk/TWindow.h"

class GFinishMobileLstnr;

class particle_layer : public TWindow {
  TWINDOW_CLASS(particle_layer, TWindow)
 public:
  particle_layer();
  ~particle_layer() override;

  void Init(TWindowStyle& style) override;
  void OnNewParent() override;
  bool OnTaskAnimate() override;
  void Draw() override;
  bool OnMouseMove(const TPoint& local) override;
  bool OnExtendedMouseEvent(const TPoint& local, int code) override;
  bool OnKeyDown(int key, uint32_t flags) override;

  // Loads "particles/particle_fx9.lua" into the client's system with `locus`
  // as its "dLocus", switched off, and adds the client.
  void AttachClient(GFinishMobileLstnr* client, particle_layerLocus* locus);
  // Forgets a client that is going away.
  void DetachClient(GFinishMobileLstnr* client);
  const std::vector<GFinishMobileLstnr*>& GetClients() const { return mClients; }
  const particle_layerLocus& GetLocus() const { return mLocus; }

 private:
  std::vector<GFinishMobileLstnr*> mClients;
  uint32_t mLastTime = 0;
  TVec2 mMouse;
  particle_layerLocus mLocus;
  str mLayerName;

  uint32_t Now();
};

// The layer registered under the name, or null.
particle_layer* FindParticleLayer(const str& name);
