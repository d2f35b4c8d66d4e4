#pragma once
// Shared by the missions and results tests: the fixture tree
// tests/fixtures/rules/missions as the content root and a clean slate of the
// shared objects the rules reach, before and after each test.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OPopupQueue.h"
#include "rules/events/OMission.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "sdk/str.h"
#include "tools/magic/OMagicRegistry.h"

inline str MissionsFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/rules/missions";
}

class MissionsTest : public testing::Test {
 protected:
  void SetUp() override {
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(MissionsFixturesDir());
    Reset();
    // The documents the fixture does not name are reported once, here.
    OGameConfig::GetInstance();
  }
  void TearDown() override {
    Reset();
    TPlatform::SetContentRoot(mOldRoot);
  }
  static void Reset() {
    OMissionsManager::DestroyInstance();
    OHintsManager::DestroyInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OMagicRegistry::DeleteInstance();
    OPopupQueue::DeleteInstance();
    OFlagsRegistry::DeleteInstance();
    OGame::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  static OMissionsManager* Missions() { return OMissionsManager::GetInstance(); }
  static OMission* Mission(const str& name) { return Missions()->FindMission(name); }
  static const std::vector<str>& Events() { return Missions()->GetAsked(); }
  static size_t Count(const str& line) {
    const std::vector<str>& events = Events();
    return size_t(std::count(events.begin(), events.end(), line));
  }
  static std::unique_ptr<TXmlNode> Parse(const str& text) {
    std::unique_ptr<TXmlNode> node(new TXmlNode());
    EXPECT_TRUE(node->ParseString(text));
    return node;
  }

  str mOldRoot;
};
