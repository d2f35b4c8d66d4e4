#include "GTravelSelection.h"

#include <algorithm>

#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TRenderer.h"
#include "sdk/TReport.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GVObjectWrapper.h"
#include "visual/GVXmlLoaders.h"
#include "visual/LuaUtils.h"

namespace {
const char* const kHome = "home";

void DeleteSelectionWindow(TWindow* w) {
  if (w->GetParent()) w->GetParent()->OrphanChild(w);
  delete w;
}
}  // namespace

// ---- location ----

void GTravelLocation::PostChildrenInit(TWindowStyle& style) {
  mButton = WindowCast<GTravelButton>(GetChildWindow("button"));
  mAnim = WindowCast<GVLuaObject>(GetChildWindow("anim"));
  mWorldImage = WindowCast<TImage>(GetChildWindow(str::format("world_img%d", style.GetInt("ind", 0))));
  mWorldId = style.GetString("world_id", "");
  mHighlighted = false;
  if (mWorldImage) mWorldImage->SetAlpha(0);
  if (mAnim && mAnim->GetObject()) {
    mAnim->GetObject()->visible = 0;
    mAnim->GetObject()->changed = 1;
  }
  if (mButton) {
    TRect r = mButton->GetWindowRect();
    mCentreX = r.left + (r.right - r.left) / 2;
    mCentreY = r.top + (r.bottom - r.top) / 2;
  }
  TWindow::PostChildrenInit(style);
}

void GTravelLocation::SetHighlighted(bool highlighted) {
  mHighlighted = highlighted;
  if (mAnim && mAnim->GetObject()) {
    mAnim->GetObject()->visible = highlighted ? 1 : 0;
    mAnim->GetObject()->changed = 1;
  }
}

float GTravelLocation::NextWorldAlpha(float alpha, bool highlighted) {
  // Steps of 0.05 and 0.1 do not add up exactly in floats; the last step
  // lands on the end, so the fades take exactly 20 and 10 ticks.
  if (highlighted && alpha < 1) {
    float a = alpha + 0.05f;
    return a > 0.999f ? 1.0f : a;
  }
  if (!highlighted && alpha > 0) {
    float a = alpha - 0.1f;
    return a < 0.001f ? 0.0f : a;
  }
  return alpha;
}

void GTravelLocation::UpdateWorldImage() {
  if (mWorldImage) mWorldImage->SetAlpha(NextWorldAlpha(mWorldImage->GetAlpha(), mHighlighted));
}

// ---- button ----

void GTravelButton::StateUpdate(int state, int arg) {
  // The platform's plain state takes the highlight away and its mouse-over
  // state gives it; a press changes nothing.
  if (GTravelLocation* location = WindowCast<GTravelLocation>(GetParent())) {
    if (state == kNormal) location->SetHighlighted(false);
    if (state == kHover) location->SetHighlighted(true);
  }
  GButton::StateUpdate(state, arg);
}

// ---- selection ----

GTravelSelection::~GTravelSelection() {
  if (mWrapper) mWrapper->client = nullptr;
  for (TFxSpriteRef& sprite : mParticles) sprite->GetParticleSystem()->SetDone();
  if (mSpriteRoot) mSpriteRoot->RemoveChildren();
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
}

void GTravelSelection::PostChildrenInit(TWindowStyle& style) {
  mSpriteRoot = TSprite::Create(0);
  mWrapper = WindowCast<GVObjectWrapper>(GetChildWindow("visual_object_wrapper"));
  if (mWrapper) mWrapper->client = this;
  str kind = style.GetString("config", "");
  TXmlNode* navigator = OGameConfig::GetInstance()->GetGameScreenChild("navigator");
  TXmlNode* kindNode = navigator && TXmlNode::IsValidName(kind) ? navigator->GetChild(kind) : nullptr;
  TXmlNode* config = kindNode ? kindNode->GetChild("travel_selection") : nullptr;

  int count = style.GetInt("num_locations", 0);
  for (int i = 0; i < count; ++i) {
    str name = str::format("loc%d", i);
    TWindow* child = GetChildWindow(name);
    GTravelLocation* location = WindowCast<GTravelLocation>(child);
    if (location && location->IsComplete()) {
      mLocations.push_back(location);
      continue;
    }
    // Without its button or picture a location cannot be chosen or shown;
    // it leaves, so it cannot be offered past the rules below either.
    Report("travel selection: \"%s\" is %s; that destination is skipped", name.c_str(),
           !child      ? "missing"
           : !location ? "not a GTravelLocation"
                       : "without its \"button\" or world picture");
    if (location) DeleteSelectionWindow(location);
  }

  str current = OGame::GetInstance()->GetCurrentWorldId();
  OMagicRegistry* registry = OMagicRegistry::GetInstance();
  TXmlNode* unlock = config ? config->GetChild("unlock_world_effect") : nullptr;
  for (size_t i = 0; i < mLocations.size();) {
    GTravelLocation* location = mLocations[i];
    str world = location->GetWorldId();
    int value = registry->GetValue(world);
    if (world == current || value == 0) {
      RemoveLocation(i);
      continue;
    }
    if (value == 1) {
      if (unlock) {
        TXmlNode fx("fx");
        fx.SetAttribute("file", unlock->GetAttribute("file"));
        fx.SetAttribute("x", str::format("%d", location->GetCentreX()));
        fx.SetAttribute("y", str::format("%d", location->GetCentreY()));
        LoadParticleFromXml(&fx, mParticles, mInterpolators, mSpriteRoot);
      }
      registry->SetValue(world, 2);
    }
    ++i;
  }
  if (OGameConfig::GetInstance()->AreParticlesEnabled() && config)
    LoadParticlesFromXml(config->GetChild("effects"), mParticles, mInterpolators, mSpriteRoot);
  TWindow::PostChildrenInit(style);
}

void GTravelSelection::RemoveLocation(size_t index) {
  GTravelLocation* location = mLocations[index];
  mLocations.erase(mLocations.begin() + index);
  DeleteSelectionWindow(location);
}

void GTravelSelection::RemoveHomeLocation() {
  for (size_t i = 0; i < mLocations.size(); ++i) {
    if (mLocations[i]->GetWorldId() == kHome) {
      RemoveLocation(i);
      return;
    }
  }
}

void GTravelSelection::UpdateWorldImages() {
  for (GTravelLocation* location : mLocations) location->UpdateWorldImage();
}

void GTravelSelection::DrawObjects(TWindow* wrapper) {
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}
