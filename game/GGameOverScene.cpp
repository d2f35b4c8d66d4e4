#include "GGameOverScene.h"

#include "game/GMousePointer.h"
#include "game/OSimpleBackground.h"
#include "items/OItemsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimerIndicator.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TWindowManager.h"
#include "tools/panel/GGamePanel.h"

GGameOverScene::GGameOverScene() {
  // A poison counter left running would otherwise stay over the end screen.
  OIndicatorsManager::GetInstance()->GetPoison()->Empty();
}

GGameOverScene::~GGameOverScene() {
  DetachPanel();
}

void GGameOverScene::Update() {
  TWindowManager::GetInstance()->InvalidateScreen();
  if (mBackground) mBackground->Update();
  if (mItemsManager) mItemsManager->Update();
  GScene::Update();
  OTimersManager::GetInstance()->Update(true);
}

void GGameOverScene::AttachPanel(GGamePanel* panel) {
  mPanel = panel;
  if (!mPanel) return;
  mPanel->SetKind(kPanelKind);
  mPanelLayer->AdoptChild(mPanel);
}

void GGameOverScene::DetachPanel() {
  if (!mPanel) return;
  mPanel->Release(this, mPanelLayer);
  mPanel = nullptr;
}

void GGameOverScene::Pause() {
  GFullScreenGameScene::Pause();
  if (mPanel) mPanel->Lock();
  GMousePointer::GetInstance()->SetInGameMode(false);
}

void GGameOverScene::Resume() {
  GFullScreenGameScene::Resume();
  if (mPanel) mPanel->Unlock();
  GMousePointer::GetInstance()->SetInGameMode(false);
}
