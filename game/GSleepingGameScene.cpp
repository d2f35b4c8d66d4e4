#include "GSleepingGameScene.h"

#include "rules/timers/OTimersManager.h"

void GSleepingGameScene::UpdateTimers() {
  OTimersManager::GetInstance()->UpdateSleeping(mPaused);
}
