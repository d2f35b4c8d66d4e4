#pragma once
// Shared by the start-up tests: the fixture tree under tests/fixtures/startup
// as the content root (restored afterwards), a scratch preferences folder,
// and a clean slate of the shared objects these tests create.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "game/OFlagsRegistry.h"
#include "game/OGameConfig.h"
#include "game/ONotices.h"
#include "game/OSoundManager.h"
#include "game/OUsersManager.h"
#include "rules/events/OMissionsManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TSound.h"
#include "sdk/str.h"

inline str StartupFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/startup";
}

class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/tolvane-startup-XXXXXX";
    const char* made = mkdtemp(tmpl);
    mPath = made ? made : "/tmp";
  }
  ~ScratchDir() {
    if (mPath.rfind("/tmp/tolvane-startup-", 0) == 0) (void)std::system(("rm -rf '" + mPath + "'").c_str());
  }
  const str& Path() const { return mPath; }
  void Write(const str& relative, const str& text) const;

 private:
  str mPath;
};

// Content root = the fixture tree (or `root`), preferences in a scratch
// folder, headless sound; every shared object of these tests deleted before
// and after.
class StartupTest : public testing::Test {
 protected:
  void SetUp() override { UseRoot(StartupFixturesDir()); }
  void TearDown() override {
    Reset();
    TSoundManager::GetInstance()->Shutdown();
    TPlatform::SetContentRoot(mOldRoot);
    if (mOldPrefs.empty())
      unsetenv("TOLVANE_PREFS_DIR");
    else
      setenv("TOLVANE_PREFS_DIR", mOldPrefs.c_str(), 1);
  }
  void UseRoot(const str& root) {
    mOldRoot = TPlatform::GetContentRoot();
    const char* prefs = getenv("TOLVANE_PREFS_DIR");
    mOldPrefs = prefs ? prefs : "";
    setenv("TOLVANE_PREFS_DIR", mPrefs.Path().c_str(), 1);
    TPlatform::SetHeadless(true);
    TPlatform::SetContentRoot(root);
    TSoundManager::GetInstance()->Open();
    Reset();
  }
  static void Reset() {
    ONotices::Clear();
    OUsersManager::Delete();
    OSoundManager::DeleteInstance();
    OFlagsRegistry::DeleteInstance();
    OMissionsManager::DeleteInstance();
    OGameConfig::DeleteInstance();
  }
  // Heartbeats of 16 ms with the platform's sound notices after each.
  static void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      TPlatform::GetInstance()->Tick(16);
      TSoundManager::GetInstance()->Update();
    }
  }
  ScratchDir mPrefs;
  str mOldRoot;
  str mOldPrefs;
};
