#include "GScene.h"

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/GSceneCaption.h"
#include "game/OGame.h"
#include "game/OPopupQueue.h"
#include "game/OSoundManager.h"
#include "rules/actions/IAction.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TImage.h"
#include "sdk/TTexture.h"

TWindow* GScene::NewLayer() {
  TWindow* layer = new TWindow();
  layer->SetWindowSize(800, 600);
  return layer;
}

void GScene::DropHintWindow() {
  OHintsManager* hints = OHintsManager::GetInstance();
  if (TWindow* hint = hints->GetHintWindow()) {
    if (hint->GetParent()) hint->GetParent()->OrphanChild(hint);
    delete hint;
    hints->SetHintWindow(nullptr);
  }
}

GScene::GScene() {
  SetWindowSize(800, 600);
  mSceneLayer = NewLayer();
  mCaptionLayer = NewLayer();
  mTopLayer = NewLayer();
  // The top layer, with the fade image, is adopted last so it draws over
  // everything the scene holds.
  AdoptChild(mSceneLayer);
  AdoptChild(mCaptionLayer);
  AdoptChild(mTopLayer);
  mFadeImage = new TImage();
  mFadeImage->SetWindowSize(800, 600);
  mFadeImage->SetTexture(TTexture::Create(800, 600, false), 1);
  mTopLayer->AdoptChild(mFadeImage);
  GMousePointer::GetInstance()->SetInGameMode(true);
  mCaption = new OSceneCaption();
}

GScene::~GScene() {
  if (GMousePointer* pointer = GMousePointer::PeekInstance()) pointer->SetSceneMode(0);
  if (mCaption->GetParent()) mCaption->GetParent()->OrphanChild(mCaption);
  delete mCaption;
  if (mBorders) {
    for (IAction* action : *mBorders) delete action;
    delete mBorders;
  }
}

void GScene::SetFadeAlpha(double alpha) {
  mFadeImage->SetAlpha(float(alpha));
}

void GScene::SetState(int state) {
  mState = state;
  mFadeCounter = 0;
  switch (state) {
    case kFadeIn:
      Pause();
      SetFadeAlpha(1);
      break;
    case kActive:
      Resume();
      SetFadeAlpha(0);
      OMissionsManager::GetInstance()->OnSceneEnter(OGame::GetInstance()->GetCurrentSceneId());
      break;
    case kFadeOutScene:
    case kFadeOut:
      SetFadeAlpha(0);
      Pause();
      break;
    case kFadedOutScene:
    case kFadedOut:
      SetFadeAlpha(1);
      break;
    default:
      break;
  }
}

void GScene::Update() {
  if (mState == kFadeIn) {
    ++mFadeCounter;
    SetFadeAlpha(1.0 - double(mFadeCounter) / kFadeTicks);
    if (mFadeCounter >= kFadeTicks) SetState(kActive);
  } else if (mState == kFadeOutScene || mState == kFadeOut) {
    ++mFadeCounter;
    SetFadeAlpha(double(mFadeCounter) / kFadeTicks);
    if (mFadeCounter >= kFadeTicks) SetState(mState == kFadeOutScene ? kFadedOutScene : kFadedOut);
  }
}

void GScene::SetBorders(std::vector<IAction*>* borders) {
  if (borders == mBorders) return;
  if (mBorders) {
    for (IAction* action : *mBorders) delete action;
    delete mBorders;
  }
  mBorders = borders;
}

void GScene::Pause() {
  mPaused = true;
  OTimersManager::GetInstance()->Update(true);
}

void GScene::Resume() {
  mPaused = false;
  OTimersManager::GetInstance()->Update(true);
}

void GScene::GoToScene(const str& sceneId) {
  // A link to a scene that does not exist leaves the player where they are.
  if (!OGame::GetInstance()->SetCurrentScene(sceneId)) return;
  SetState(kFadeOutScene);
}

void GScene::SetCaptionText(const str& text) {
  mCaption->SetText(text);
}

void GScene::SetCaptionKey(const str& key) {
  mCaption->SetKey(key);
}

void GScene::SetTheme(const str& name, bool cycling) {
  OSoundManager::GetInstance()->SetTheme(name, cycling);
}

void GScene::OnThroughTimeMagic() {
  StartTravel(1);
}

void GScene::OnThroughSpaceMagic() {
  StartTravel(0);
}

void GScene::StartTravel(int navigatorKind) {
  mNavigatorKind = navigatorKind;
  if (GGameWnd* wnd = GGameWnd::GetCurrent()) {
    wnd->SetTransitionState(GGameWnd::kNavigator);
    wnd->OpenNavigator();
  }
  Pause();
}
