#pragma once
// Shared by the timer and indicator tests: tests/fixtures/rules/timers as the
// content root, and every shared object the timers reach deleted before and
// after each test (the timers before the indicators they point to, both
// before the configuration whose elements they keep).

#include <gtest/gtest.h>

#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OSoundManager.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"

class TimersFixture : public testing::Test {
 protected:
  void SetUp() override {
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(str(TOLVANE_TEST_FIXTURES) + "/rules/timers");
    Reset();
  }
  void TearDown() override {
    Reset();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    OHintsManager::DestroyInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OMissionsManager::DestroyInstance();
    OFlagsRegistry::DeleteInstance();
    OSoundManager::DeleteInstance();
    OGame::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  static OTimersManager* Timers() { return OTimersManager::GetInstance(); }
  static OIndicatorsManager* Indicators() { return OIndicatorsManager::GetInstance(); }

  str mOldRoot;
};
