#include "GFlashScene.h"

#include "rules/actions/IAction.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TFlashHost.h"

GFlashScene::~GFlashScene() {
  delete mHost;
  delete mResultAction;
}

void GFlashScene::SetState(int state) {
  GScene::SetState(state);
  if (!mHost) return;
  if (state == kActive) {
    mHost->Start(false, true, false);
    mResultDone = false;
  } else if (state == kFadeOutScene) {
    mHost->Stop();
  }
}

void GFlashScene::Update() {
  GScene::Update();
  OTimersManager::GetInstance()->Update(true);
  if (mState != kActive || mResultDone || !mHost) return;
  // A clip without frames has ended as soon as it started.
  if (mHost->GetFrameNum() >= mHost->GetTotalFrames() - 1) {
    mResultDone = true;
    if (mResultAction) mResultAction->Execute();
  }
}

void GFlashScene::DrawObjects(TWindow* wrapper) {
  if (mHost) mHost->Draw();
  GFullScreenGameScene::DrawObjects(wrapper);
}

void GFlashScene::SetFlashHost(TFlashHost* host) {
  if (host == mHost) return;
  delete mHost;
  mHost = host;
}

void GFlashScene::SetResultAction(IAction* action) {
  if (action == mResultAction) return;
  delete mResultAction;
  mResultAction = action;
}
