#include "OAlchemicalDevicePotionEffect.h"

#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TXmlNode.h"
#include "visual/GVXmlLoaders.h"

namespace {
void RunInParticle(const TFxSpriteRef& sprite, const char* code) {
  if (TScript* script = sprite ? sprite->GetScript() : nullptr) script->DoLuaString(code, 0);
}
}  // namespace

OAlchemicalDevicePotionEffect::OAlchemicalDevicePotionEffect() {
  SetName("potion_effect");
  SetWindowSize(800, 600);
  mContainer = TSprite::Create(0);
}

OAlchemicalDevicePotionEffect::~OAlchemicalDevicePotionEffect() {
  if (mParticle) mParticle->GetParticleSystem()->SetDone();
  mContainer->RemoveChildren();
  for (TImage* image : mImageWindows) {
    if (image && image->GetParent()) image->GetParent()->OrphanChild(image);
    delete image;
  }
}

void OAlchemicalDevicePotionEffect::Load(TXmlNode* animation) {
  if (!animation) return;
  if (TXmlNode* images = animation->GetChild("images"))
    for (size_t i = 0; i < images->GetChildCount(); ++i) mImages.push_back(images->GetChildAt(i));
  mImageWindows.assign(mImages.size(), nullptr);
  mFrameDelay = animation->GetAttribute("delay").to_int();
  if (TXmlNode* particles = animation->GetChild("particles")) {
    for (size_t i = 0; i < particles->GetChildCount(); ++i) {
      TXmlNode* node = particles->GetChildAt(i);
      mParticles.push_back(
          {node, node->GetAttribute("frame").to_int(), node->GetAttribute("delay").to_int()});
    }
  }
}

TImage* OAlchemicalDevicePotionEffect::GetImage(int index) {
  if (index < 0 || index >= GetImageCount()) return nullptr;
  TImage*& image = mImageWindows[size_t(index)];
  if (!image) image = LoadImageFromXml(mImages[size_t(index)]);
  return image;
}

void OAlchemicalDevicePotionEffect::HideImages() {
  for (TImage* image : mImageWindows)
    if (image && image->GetParent()) image->GetParent()->OrphanChild(image);
}

void OAlchemicalDevicePotionEffect::ShowAllImages() {
  for (int i = 0; i < GetImageCount(); ++i) {
    TImage* image = GetImage(i);
    if (image && !image->GetParent()) AdoptChild(image, true);
  }
}

void OAlchemicalDevicePotionEffect::SetAlphaOfImages(float alpha) {
  for (TImage* image : mImageWindows)
    if (image) image->SetAlpha(alpha);
}

bool OAlchemicalDevicePotionEffect::HasFrameParticle() const {
  for (const ParticleEntry& entry : mParticles)
    if (entry.frame == mFrame) return true;
  return false;
}

void OAlchemicalDevicePotionEffect::StartFrameParticle() {
  if (mParticle) {
    mParticle->GetParticleSystem()->SetDone();
    mContainer->RemoveChildren();
  }
  if (!OGameConfig::GetInstance()->AreParticlesEnabled()) return;
  for (const ParticleEntry& entry : mParticles) {
    if (entry.frame != mFrame) continue;
    mParticle = CreateParticleFromXml(entry.node);
    mParticleWait = entry.delay;
    mWaiting = true;
    if (mParticle) mContainer->AddChild(mParticle);
    RunInParticle(mParticle, "gActive = true;");
    return;
  }
}

void OAlchemicalDevicePotionEffect::SetPhase(int mode) {
  switch (mode) {
    case 0:
      HideImages();
      mFrame = 0;
      if (HasFrameParticle())
        StartFrameParticle();
      else
        mWaiting = false;
      break;
    case 2:
      mCounter = 0;
      ShowAllImages();
      break;
    case 1:
      ShowAllImages();
      break;
    case 3:
      HideImages();
      break;
    default:
      break;
  }
}

void OAlchemicalDevicePotionEffect::Update() {
  if (phase == kPlaying) {
    // Without pictures there is nothing to wait for.
    if (mImages.empty()) {
      phase = kComplete;
      SetPhase(1);
      return;
    }
    ++mCounter;
    if (mCounter < (mWaiting ? mParticleWait : mFrameDelay)) return;
    mCounter = 0;
    if (mWaiting) RunInParticle(mParticle, "gActive = false");
    TImage* image = GetImage(mFrame);
    if (image && !image->GetParent()) AdoptChild(image, true);
    ++mFrame;
    if (HasFrameParticle())
      StartFrameParticle();
    else
      mWaiting = false;
    if (mFrame >= GetImageCount()) {
      phase = kComplete;
      SetPhase(1);
    }
  } else if (phase == kFading) {
    ++mCounter;
    SetAlphaOfImages(1 - float(mCounter) / kFadeTicks);
    if (mCounter >= kFadeTicks) {
      phase = kFaded;
      SetPhase(3);
    }
  }
}

void OAlchemicalDevicePotionEffect::PostDraw() {
  {
    T2dScope pass;
    mContainer->Draw(TDrawSpec());
  }
  TWindow::PostDraw();
}
