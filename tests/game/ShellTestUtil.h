#pragma once
// The shell's tests run on the small tree under tests/fixtures/shell: two
// worlds ("home" with a scene whose states hang on game variables, and
// "vethra"), a popup script and a main-menu script.

#include "StartupTestUtil.h"
#include "game/OGame.h"
#include "game/OMinigameRegistry.h"
#include "game/OSaveData.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"

inline str ShellFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/shell";
}

// XML text without the layout between elements, for comparisons.
inline str Compact(const str& xml) {
  str out;
  size_t i = 0;
  while (i < xml.size()) {
    if (xml[i] == '>') {
      size_t j = i + 1;
      while (j < xml.size() && (xml[j] == ' ' || xml[j] == '\n')) ++j;
      if (j < xml.size() && xml[j] == '<') {
        out += '>';
        i = j;
        continue;
      }
    }
    out += xml[i++];
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

class ShellTest : public StartupTest {
 protected:
  void SetUp() override {
    UseRoot(ShellFixturesDir());
    ResetShell();
  }
  void TearDown() override {
    ResetShell();
    StartupTest::TearDown();
  }
  static void ResetShell() {
    OGame::DeleteInstance();
    OSaveData::DeleteInstance();
    OMinigameRegistry::DeleteInstance();
    OTimersManager::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
  }
};
