#pragma once
// Shared by the mini-game tests: the fixture tree under
// tests/fixtures/minigames as the content root (descriptions in xml/, one
// picture in anim/, the range's sounds), a headless renderer and sound, a
// draw list for the objects, and a seeded random generator.

#include <gtest/gtest.h>

#include <memory>

#include "game/OMinigameRegistry.h"
#include "game/OPopupQueue.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TPlatform.h"
#include "sdk/TRandom.h"
#include "sdk/TRenderer.h"
#include "sdk/TSound.h"
#include "sdk/TXmlNode.h"
#include "visual/GVDrawList.h"

class MinigameTest : public testing::Test {
 protected:
  void SetUp() override {
    static bool opened = TRenderer::GetInstance()->Open(true, false);
    (void)opened;
    mOldRoot = TPlatform::GetContentRoot();
    TPlatform::SetContentRoot(str(TOLVANE_TEST_FIXTURES) + "/minigames");
    TSoundManager::GetInstance()->Open();
  }
  void TearDown() override {
    // The scenes' constructors make these; each test starts without them.
    OHintsManager::DeleteInstance();
    OPopupQueue::DeleteInstance();
    OTimersManager::DeleteInstance();
    OMinigameRegistry::DeleteInstance();
    TSoundManager::GetInstance()->Shutdown();
    TPlatform::SetContentRoot(mOldRoot);
  }
  // The element the text describes; kept until the test ends.
  TXmlNode* Xml(const str& text) {
    mDocs.emplace_back(new TXmlNode());
    EXPECT_TRUE(mDocs.back()->ParseString(text));
    return mDocs.back().get();
  }

  GVDrawList mList;
  TRandom mRandom{7};
  str mOldRoot;
  std::vector<std::unique_ptr<TXmlNode>> mDocs;
};
