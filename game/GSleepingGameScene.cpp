#include "GSleepingGameScene.h"

#include "rules/OTimersManager.h"

void GSleepingGameScene::UpdateTimers() {
  OTimersManager::GetInstance()->UpdateSleeping(mPaused);
}
