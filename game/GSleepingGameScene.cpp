#include "GSleepingGameScene.h"

#include "game/ODropZoneSet.h"
#include "game/OSimpleBackground.h"
#include "items/IItem.h"
#include "items/OItemsManager.h"
#include "rules/OHintsManager.h"
#include "rules/OTimersManager.h"
#include "sdk/TWindowManager.h"
#include "tools/GFrontItemHolder.h"
#include "tools/GGamePanel.h"
#include "visual/GBaseInterpolator.h"
#include "visual/GZInterpolator.h"

void GSleepingGameScene::Update() {
  // The full-screen step in its order, with the sleeping timers' step in
  // place of the ordinary one.
  TWindowManager::GetInstance()->InvalidateScreen();
  for (GZInterpolator* animation : mAnimations) animation->Update();
  if (mBackground) mBackground->Update();
  for (GBaseInterpolator* ip : mInterpolators) ip->Update();
  if (mItemsManager) mItemsManager->Update();
  if (mFrontItemHolder->mItem) mFrontItemHolder->mItem->Update();
  OTimersManager::GetInstance()->UpdateSleeping(mPaused);
  GScene::Update();
  if (mState == kActive) OHintsManager::GetInstance()->Update();
  if (mPanel) mPanel->Update();
}

void GSleepingGameScene::DrawObjects(TWindow* wrapper) {
  // As the full-screen scene draws, without the timer indicators.
  if (mDropZones && !mDropZonesOnTop) mDropZones->DrawItems();
  if (mItemsManager) mItemsManager->DrawItems();
  if (mDropZones && mDropZonesOnTop) mDropZones->DrawItems();
  mDrawList.Draw();
}
