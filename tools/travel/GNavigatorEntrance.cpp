#include "GNavigatorEntrance.h"

#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TRenderer.h"
#include "sdk/TXmlNode.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GButton.h"
#include "visual/GVData.h"
#include "visual/GVObjectWrapper.h"
#include "visual/GVXmlLoaders.h"
#include "visual/GZInterpolator.h"
#include "visual/LuaUtils.h"

namespace {
void DeleteWindow(TWindow* w) {
  if (!w) return;
  if (w->GetParent()) w->GetParent()->OrphanChild(w);
  delete w;
}
}  // namespace

GNavigatorEntrance::GNavigatorEntrance() {
  mSpriteRoot = TSprite::Create(0);
}

GNavigatorEntrance::~GNavigatorEntrance() {
  if (mDoorMask && mDoorLocked) mDoorMask->Unlock();
  for (GZInterpolator* animation : mAnimations) delete animation;
  DeleteWindow(mExitButton);
  DeleteWindow(mEntranceButton);
  if (mWrapper) mWrapper->client = nullptr;
  for (TFxSpriteRef& sprite : mParticles) sprite->GetParticleSystem()->SetDone();
  mSpriteRoot->RemoveChildren();
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
}

void GNavigatorEntrance::Load(TXmlNode* config) {
  mConfig = config;
  mBackground = WindowCast<TImage>(GetChildWindow("background"));
  mPanel = WindowCast<TImage>(GetChildWindow("panel"));
  mPanelButton = WindowCast<TImage>(GetChildWindow("panel_button"));
  mExitButton = WindowCast<GButton>(GetChildWindow("btn_exit"));
  mEntranceButton = WindowCast<GButton>(GetChildWindow("btn_entrance"));
  mWrapper = WindowCast<GVObjectWrapper>(GetChildWindow("visual_object_wrapper"));
  if (mWrapper) mWrapper->client = this;
  if (!config) return;
  if (TXmlNode* door = config->GetChild("door_mask")) {
    if (mDoorMask && mDoorLocked) mDoorMask->Unlock();
    mDoorMask = LoadTextureFromXml(door);
    int x = GVReadCoordinate("x", door), y = GVReadCoordinate("y", door);
    int w = mDoorMask ? mDoorMask->GetWidth() : 0, h = mDoorMask ? mDoorMask->GetHeight() : 0;
    mDoorRect = TRect(x, y, x + w, y + h);
    uint32_t* pixels = nullptr;
    int pitch = 0;
    mDoorLocked = mDoorMask && mDoorMask->Lock(&pixels, &pitch);
  }
  if (TXmlNode* anim = config->GetChild("gvanim")) mDelay = anim->GetAttribute("delay").to_int();
  if (OGameConfig::GetInstance()->AreParticlesEnabled())
    LoadParticlesFromXml(config->GetChild("effects"), mParticles, mInterpolators, mSpriteRoot);
  std::vector<GZInterpolator*> animations = LoadAnimationsFromXml(config->GetChild("animations"), &mDrawList);
  mAnimations.insert(mAnimations.end(), animations.begin(), animations.end());
}

void GNavigatorEntrance::DrawObjects(TWindow* wrapper) {
  if (mDrawList.Size() > 0) mDrawList.Draw();
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}
