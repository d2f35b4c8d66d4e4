#include "GMiniGameScene.h"

#include "game/OGame.h"
#include "game/OPopupQueue.h"
#include "items/OItemsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TLuaParticleSystem.h"
#include "sdk/TRenderer.h"
#include "sdk/TScript.h"
#include "sdk/TWindowManager.h"
#include "sdk/TXmlNode.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GZInterpolator.h"
#include "visual/TFxSprite.h"

GMiniGameScene::GMiniGameScene() : mParticles(new std::vector<TFxSpriteRef>()) {
  mSpriteRoot = TSprite::Create(0);
  OHintsManager::GetInstance()->SetCurrentScene(this);
  DropHintWindow();
  mOverlayLayer = NewLayer();
  mPopupLayer = NewLayer();
  // Above the fade image: a mini-game's hints and popups are not darkened.
  mTopLayer->AdoptChild(mOverlayLayer);
  mTopLayer->AdoptChild(mPopupLayer);
  OPopupQueue::GetInstance()->SetParentLayer(mPopupLayer);
}

GMiniGameScene::~GMiniGameScene() {
  mSpriteRoot->RemoveChildren();
  for (TFxSpriteRef& sprite : *mParticles) sprite->GetParticleSystem()->SetDone();
  delete mParticles;
  for (GBaseInterpolator* ip : mInterpolators) delete ip;
  for (GZInterpolator* animation : mAnimations) delete animation;
  if (OHintsManager::HasInstance() && OHintsManager::GetInstance()->GetCurrentScene() == this) {
    OHintsManager::GetInstance()->SetCurrentScene(nullptr);
    DropHintWindow();
  }
  if (OPopupQueue::HasInstance() && OPopupQueue::GetInstance()->GetParentLayer() == mPopupLayer)
    OPopupQueue::GetInstance()->SetParentLayer(nullptr);
  delete mItemsManager;
}

void GMiniGameScene::Update() {
  // Timers never run inside a mini-game.
  OTimersManager::GetInstance()->Update(true);
  for (GZInterpolator* animation : mAnimations) animation->Update();
  for (GBaseInterpolator* ip : mInterpolators) ip->Update();
  TWindowManager::GetInstance()->InvalidateScreen();
  GScene::Update();
  if (mState == kActive) {
    OHintsManager::GetInstance()->Update();
    OPopupQueue::GetInstance()->Update();
  }
}

void GMiniGameScene::AdoptOverlayChild(TWindow* child) {
  if (child) mOverlayLayer->AdoptChild(child);
}

TSpriteRef GMiniGameScene::AddAnimation(TXmlNode* node, int x, int y) {
  TFxSpriteRef sprite = TFxSprite::Create(int(mParticles->size()), node->GetAttribute("file"));
  sprite->SetPosition(TVec3(float(x), float(y), 0));
  if (TScript* script = sprite->GetScript()) script->DoLuaString("gActive = true", 0);
  mSpriteRoot->AddChild(sprite);
  mParticles->push_back(sprite);
  for (size_t i = 0; i < node->GetChildCount(); ++i) {
    TXmlNode* child = node->GetChildAt(i);
    if (child->GetName() != "ip") continue;
    if (GBaseInterpolator* ip = GBaseInterpolator::Create(sprite, child)) mInterpolators.push_back(ip);
  }
  return sprite;
}

void GMiniGameScene::DrawObjects(TWindow* wrapper) {
  mDrawList.Draw();
  T2dScope pass;
  mSpriteRoot->Draw(TDrawSpec());
}
