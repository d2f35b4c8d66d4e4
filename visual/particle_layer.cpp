#include "particle_layer.h"

#include <algorithm>
#include <map>

#include "GWndMobile.h"
#include "sdk/TEvent.h"
#include "sdk/TModalWindow.h"
#include "sdk/TPlatform.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TWindowStyle.h"

namespace {

std::map<str, particle_layer*>& Layers() {
  static std::map<str, particle_layer*> layers;
  return layers;
}

}  // namespace

particle_layer* FindParticleLayer(const str& name) {
  auto it = Layers().find(name);
  return it == Layers().end() ? nullptr : it->second;
}

particle_layer::particle_layer() = default;

particle_layer::~particle_layer() {
  // Whichever layer the name registers, as a second layer of the name is
  // never registered itself.
  Layers().erase(mLayerName);
  // The clients must not reach this layer from their own destructors later.
  std::vector<GFinishMobileLstnr*> clients;
  clients.swap(mClients);
  for (GFinishMobileLstnr* c : clients)
    if (c) c->OnLayerDestroyed(this);
}

uint32_t particle_layer::Now() {
  if (TModalWindow* modal = FindParentModal()) return modal->GetTime();
  return TPlatform::GetInstance() ? TPlatform::GetInstance()->Timer() : 0;
}

void particle_layer::Init(TWindowStyle& style) {
  mLayerName = style.GetString("name", "");
  Layers().insert(std::make_pair(mLayerName, this));
  StartWindowAnimation(10, true, true, false);
}

void particle_layer::OnNewParent() {
  mLastTime = Now();
}

bool particle_layer::OnTaskAnimate() {
  const uint32_t now = Now();
  const uint32_t elapsed = now - mLastTime;
  mLastTime = now;
  // Whole seconds: every tick shorter than a second advances by 0, which
  // still takes each client one movement step.
  const int step = int(elapsed / 1000);
  // A client may detach while it advances (its script can end it), so walk a copy.
  const std::vector<GFinishMobileLstnr*> clients = mClients;
  for (GFinishMobileLstnr* c : clients)
    if (std::find(mClients.begin(), mClients.end(), c) != mClients.end()) c->Advance(step);
  return true;
}

void particle_layer::Draw() {
  TRenderer* renderer = TRenderer::GetInstance();
  if (!renderer) return;
  const bool opened = renderer->Begin2d();
  for (GFinishMobileLstnr* c : mClients)
    if (TLuaParticleSystem* ps = c->GetParticleSystem()) ps->Draw(TVec3(0, 0, 0));
  if (opened) renderer->End2d();
}

bool particle_layer::OnMouseMove(const TPoint& local) {
  mMouse = local;
  mLocus.SetValue(mMouse);
  return false;
}

bool particle_layer::OnExtendedMouseEvent(const TPoint&, int) {
  return false;
}

bool particle_layer::OnKeyDown(int key, uint32_t) {
  if (key != TEvent::kEscape) return false;
  TWindowManager::GetInstance()->DoLuaString(this, "DoModal('scripts/pause.lua')");
  return true;
}

void particle_layer::AttachClient(GFinishMobileLstnr* client, particle_layerLocus* locus) {
  // A null client would only be dereferenced on the next tick.
  if (!client) return;
  if (TLuaParticleSystem* ps = client->GetParticleSystem()) {
    ps->RegisterDataSource("dLocus", locus);
    ps->LoadScript("particles/particle_fx9.lua");
    ps->GetScript()->DoLuaString("gActive = false;");
  }
  mClients.push_back(client);
}

void particle_layer::DetachClient(GFinishMobileLstnr* client) {
  mClients.erase(std::remove(mClients.begin(), mClients.end(), client), mClients.end());
}
