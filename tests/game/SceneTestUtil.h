#pragma once
// Shared by the scene, builder and game-window tests: the fixture tree under
// tests/fixtures/scenes as the content root (world "home" with the scenes
// "living_room", "hall", "kitchen", "cellar", "pantry", the Flash scene
// "cinema", the mini-game "arcade", and "attic" listed without its file),
// preferences in a scratch folder, and every shared object of a running game
// deleted before and after.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "game/GMousePointer.h"
#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/OGameConfig.h"
#include "game/OPopupQueue.h"
#include "game/OSaveData.h"
#include "game/OSceneBuilder.h"
#include "game/OSceneDirector.h"
#include "game/OSoundManager.h"
#include "game/StartupTestUtil.h"
#include "items/OComboGuide.h"
#include "items/OItemsRegistry.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OTimersManager.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"

inline str SceneFixturesDir() {
  return str(TOLVANE_TEST_FIXTURES) + "/scenes";
}

class SceneFixture : public StartupTest {
 protected:
  void SetUp() override {
    UseRoot(SceneFixturesDir());
    ResetGame();
  }
  void TearDown() override {
    ResetGame();
    StartupTest::TearDown();
  }
  static void ResetGame() {
    OGame::DeleteInstance();
    OItemsRegistry::DeleteInstance();
    OHintsManager::DeleteInstance();
    OTimersManager::DeleteInstance();
    OPopupQueue::DeleteInstance();
    OIndicatorsManager::DeleteInstance();
    OMagicRegistry::DeleteInstance();
    OComboGuide::DeleteInstance();
    OSaveData::DeleteInstance();
    GMousePointer::DestroyInstance();
    OMissionsManager::DeleteInstance();
  }
  // The scene that a change of scene builds from the state node: its builder
  // and director, which are then let go.
  static GScene* BuildScene(TXmlNode* state) {
    ISceneBuilder* builder = CreateSceneBuilder(state, nullptr);
    ISceneDirector* director = CreateSceneDirector(builder);
    director->Direct();
    GScene* scene = builder->GetScene();
    delete director;
    delete builder;
    return scene;
  }
  // Items the fixtures' guide does not have, for one test.
  static void AddToGuide(const str& items) {
    std::unique_ptr<TXmlNode> guide(new TXmlNode());
    ASSERT_TRUE(guide->ParseString("<items_guide>" + items + "</items_guide>"));
    OGameConfig::GetInstance()->GetItemsGuide()->AdoptChild(std::move(guide));
  }
  // Whether the missions manager was sent that event ("scene_enter hall").
  static bool Sent(const str& line) {
    const std::vector<str>& asked = OMissionsManager::GetInstance()->GetAsked();
    return std::find(asked.begin(), asked.end(), line) != asked.end();
  }
};
