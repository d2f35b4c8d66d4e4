// The game object: worlds, scenes, the choice of a scene's state, and its
// save section.

#include <gtest/gtest.h>

#include "ShellTestUtil.h"
#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {
class GameTest : public ShellTest {
 protected:
  OGame* game() { return OGame::GetInstance(); }
  void Set(const str& name, const str& value) { OFlagsRegistry::GetInstance()->SetValue(name, value); }
};
}  // namespace

TEST_F(GameTest, NewGameEntersTheDefaultWorld) {
  EXPECT_EQ(game()->GetCurrentWorldId(), "home");
  EXPECT_EQ(game()->GetCurrentSceneId(), "hall");
  EXPECT_EQ(game()->GetWorldDirectory(), "worlds/home");
  ASSERT_NE(game()->GetCurrentStateNode(), nullptr);
  EXPECT_EQ(game()->GetCurrentStateNode()->GetAttribute("type"), "hall_only");
  EXPECT_EQ(game()->GetSceneStateNode(1), nullptr);
  EXPECT_EQ(game()->GetSceneStateNode(-1), nullptr);
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetListener(), game());
}

TEST_F(GameTest, ChangesOfSceneAndWorldReachTheTimers) {
  game();
  ITimerController* water = OTimersManager::GetInstance()->GetController("under_water");
  ITimerController* air = OTimersManager::GetInstance()->GetController("vethra");
  EXPECT_EQ(water->GetState(), ITimerController::kStopped) << "the first scene is dry";
  ASSERT_TRUE(game()->SetCurrentScene("door"));
  EXPECT_EQ(water->GetState(), ITimerController::kRunning);
  ASSERT_TRUE(game()->SetCurrentScene("hall"));
  EXPECT_EQ(water->GetState(), ITimerController::kStopped);
  EXPECT_EQ(air->GetState(), ITimerController::kStopped);
  // Into the world from behind the door: the world's air starts, and the
  // first scene of the world is outside the water.
  ASSERT_TRUE(game()->SetCurrentScene("door"));
  ASSERT_TRUE(game()->GoToWorld("vethra"));
  EXPECT_EQ(air->GetState(), ITimerController::kRunning);
  EXPECT_EQ(air->GetLeftTime(), 30000);
  EXPECT_EQ(water->GetState(), ITimerController::kStopped);
  ASSERT_TRUE(game()->GoToWorld("home"));
  EXPECT_EQ(air->GetState(), ITimerController::kStopped);
}

TEST_F(GameTest, StateFollowsTheVariables) {
  ASSERT_TRUE(game()->SetCurrentScene("door"));
  struct Case {
    const char* door;
    const char* lamp;  // null: leave unset
    int index;
  } cases[] = {
      {"open", nullptr, 0}, {"closed", nullptr, 1},  // "null" listed for lamp matches a variable never set
      {"locked", "off", 1}, {"locked", "on", 0},     // one condition of the entry fails
      {"ajar", nullptr, 0},  // only the fourth state asks for it, and it is never read
  };
  for (const Case& c : cases) {
    OFlagsRegistry::DeleteInstance();
    OFlagsRegistry::GetInstance()->SetListener(game());
    Set("door", c.door);
    if (c.lamp) Set("lamp", c.lamp);
    EXPECT_EQ(game()->ChooseStateIndex(), c.index) << c.door << " " << (c.lamp ? c.lamp : "-");
    EXPECT_EQ(game()->GetStateIndex(), c.index) << "the listener re-chose it";
  }
}

TEST_F(GameTest, OneStateAlwaysGivesIndexZero) {
  Set("door", "closed");
  EXPECT_EQ(game()->GetStateIndex(), 0);
}

TEST_F(GameTest, VariableChangedWithNoSceneKeepsTheNewIndex) {
  // No game window and no scene yet, as during a build: nothing is paused,
  // and the index reflects the change once the build asks for it.
  ASSERT_TRUE(game()->SetCurrentScene("door"));
  Set("door", "closed");
  EXPECT_EQ(game()->GetStateIndex(), 1);
  EXPECT_EQ(game()->GetCurrentStateNode()->GetAttribute("type"), "shut");
}

TEST_F(GameTest, TheGameWindowIsAskedForChangesEvenBeforeItHasAScene) {
  {
    GGameWnd wnd;
    game()->SetGameWindow(&wnd);
    ASSERT_EQ(wnd.GetCurrentScene(), nullptr);
    ASSERT_TRUE(game()->SetCurrentScene("door"));
    EXPECT_EQ(wnd.GetTransitionState(), GGameWnd::kSceneChange);
    EXPECT_TRUE(game()->GoToScene("hall")) << "no scene on screen to fade out";

    // A variable that selects another state while no scene exists (as
    // during a build) pauses nothing and leaves the request standing.
    ASSERT_TRUE(game()->SetCurrentScene("door"));
    wnd.SetTransitionState(GGameWnd::kPlaying);
    Set("door", "closed");
    EXPECT_EQ(game()->GetStateIndex(), 1);
    EXPECT_EQ(wnd.GetTransitionState(), GGameWnd::kStateChange);
    // The same choice again asks for nothing.
    wnd.SetTransitionState(GGameWnd::kPlaying);
    Set("door", "locked");
    EXPECT_EQ(wnd.GetTransitionState(), GGameWnd::kPlaying);
  }
  // The game window took the game object with it.
  EXPECT_FALSE(OGame::HasInstance());
  GMousePointer::DestroyInstance();
}

TEST_F(GameTest, UnknownSceneOrWorldIsRefusedAndThePlayerStays) {
  size_t reports = ReportCount();
  EXPECT_FALSE(game()->SetCurrentScene("no_such_scene"));
  EXPECT_FALSE(game()->GoToScene(""));
  EXPECT_FALSE(game()->GoToWorld("atlantis"));
  EXPECT_FALSE(game()->GoToWorld("not a name"));
  EXPECT_EQ(ReportCount(), reports + 4);
  EXPECT_EQ(game()->GetCurrentWorldId(), "home");
  EXPECT_EQ(game()->GetCurrentSceneId(), "hall");
  EXPECT_EQ(game()->GetCurrentStateNode()->GetAttribute("type"), "hall_only");
  // A common scene counts as a scene of every world.
  EXPECT_TRUE(game()->SetCurrentScene("cellar"));
}

TEST_F(GameTest, GoToWorldTellsTimersAndMissions) {
  game();
  OMissionsManager::DeleteInstance();
  ASSERT_TRUE(game()->GoToWorld("vethra"));
  EXPECT_EQ(game()->GetCurrentSceneId(), "1_2_3");
  EXPECT_EQ(OMissionsManager::GetInstance()->GetAsked().back(), "world_enter vethra");
  EXPECT_TRUE(game()->IsThroughTimeWorld());
  EXPECT_FALSE(game()->IsThroughSpaceWorld());
}

TEST_F(GameTest, VethraCoordinatesNeedTheWorldAndFiveCharacters) {
  EXPECT_EQ(game()->GetVethraSceneCoords(), nullptr);  // world "home"
  EXPECT_TRUE(game()->IsThroughSpaceWorld());
  ASSERT_TRUE(game()->GoToWorld("vethra"));
  std::unique_ptr<OVethraCoords> c = game()->GetVethraSceneCoords();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->part, 1);
  EXPECT_EQ(c->column, 2);
  EXPECT_EQ(c->row, 3);
  ASSERT_TRUE(game()->SetCurrentScene("1_2"));
  EXPECT_EQ(game()->GetVethraSceneCoords(), nullptr);
}

TEST_F(GameTest, SaveAndLoadRestoreWorldAndSceneSilently) {
  ASSERT_TRUE(game()->GoToWorld("vethra"));
  ASSERT_TRUE(game()->SetCurrentScene("1_2"));
  TXmlNode save("save");
  game()->Save(&save);
  EXPECT_EQ(Compact(save.AsString()),
            "<save><current_world id=\"vethra\"/><current_scene id=\"1_2\"/></save>");

  OGame::DeleteInstance();
  OTimersManager::DeleteInstance();
  OMissionsManager::DeleteInstance();
  game();
  EXPECT_TRUE(game()->Load(&save));
  EXPECT_EQ(game()->GetCurrentWorldId(), "vethra");
  EXPECT_EQ(game()->GetCurrentSceneId(), "1_2");
  // The timers come back from their own section, not from the arrival.
  EXPECT_EQ(OTimersManager::GetInstance()->GetController("vethra")->GetState(), ITimerController::kStopped);
  EXPECT_TRUE(OMissionsManager::GetInstance()->GetAsked().empty());
}

TEST_F(GameTest, LoadOfAnOldSaveKeepsWhatIsKnown) {
  struct Case {
    const char* xml;
    const char* world;
    const char* scene;
  } cases[] = {
      {"<save><current_world id=\"vethra\"/><current_scene id=\"gone\"/></save>", "vethra", "1_2_3"},
      {"<save><current_world id=\"gone\"/><current_scene id=\"door\"/></save>", "home", "hall"},
      {"<save/>", "home", "hall"},
  };
  for (const Case& c : cases) {
    OGame::DeleteInstance();
    TXmlNode save;
    ASSERT_TRUE(save.ParseString(c.xml));
    size_t reports = ReportCount();
    EXPECT_FALSE(game()->Load(&save)) << c.xml;
    EXPECT_EQ(ReportCount(), reports + 1) << c.xml;
    EXPECT_EQ(game()->GetCurrentWorldId(), c.world) << c.xml;
    EXPECT_EQ(game()->GetCurrentSceneId(), c.scene) << c.xml;
  }
}

TEST_F(GameTest, DeletingTheGameDeletesVariablesAndMinigameRegistry) {
  game();
  OMinigameRegistry::GetInstance()->CreateNode("fishing");
  Set("door", "open");
  OGame::DeleteInstance();
  EXPECT_FALSE(OFlagsRegistry::HasInstance());
  EXPECT_FALSE(OMinigameRegistry::HasInstance());
}
