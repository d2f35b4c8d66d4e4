// The Vethra scene: the globe set to the player's part, the globe click
// that shows and hides the map, the globe turns, the chooser of the
// through-space magic and its two ways on.

#include "TravelTestUtil.h"
#include "game/GMasksManager.h"
#include "tools/panel/GGamePanel.h"
#include "tools/travel/GNavigator.h"
#include "tools/vethra/GVethraGameScene.h"
#include "tools/vethra/GVethraGlobe.h"
#include "tools/vethra/GVethraGrid.h"
#include "tools/vethra/GVethraMap.h"
#include "tools/vethra/GVethraPotionEffectChooser.h"
#include "visual/GButton.h"
#include "visual/LuaUtils.h"

namespace {

// A chooser that counts its deaths.
int gChoosersDeleted = 0;
class CountingChooser : public GVethraPotionEffectChooser {
  TWINDOW_CLASS(CountingChooser, GVethraPotionEffectChooser)
 public:
  ~CountingChooser() override { ++gChoosersDeleted; }
};

class VethraSceneTest : public TravelFixture {
 protected:
  GVethraGameScene* PlayVethra(const str& scene = "1_2_0") {
    GVethraGameScene* vethra = WindowCast<GVethraGameScene>(Play("vethra", scene));
    EXPECT_NE(vethra, nullptr);
    return vethra;
  }
  GVethraGlobe* Globe() const { return mWnd->GetPanel()->GetGlobe(); }
};

TEST_F(VethraSceneTest, TheGlobeShowsThePlayersPartAndTheMapLiesHidden) {
  GVethraGameScene* scene = PlayVethra();
  EXPECT_EQ(mWnd->GetPanel()->GetKind(), 2);
  EXPECT_EQ(mWnd->GetPanel()->GetParent(), scene->GetPanelLayer());
  EXPECT_EQ(Globe()->GetShownState(), "1");
  EXPECT_EQ(Globe()->GetMode(), GVethraGlobe::kIdle);
  ASSERT_NE(scene->GetMap(), nullptr);
  EXPECT_EQ(scene->GetMap()->GetState(), GVethraMap::kHidden);
  EXPECT_FALSE(scene->CanUseGlobeWhileLocked());
}

TEST_F(VethraSceneTest, AGlobeClickShowsTheMapAndASecondOneHidesIt) {
  GVethraGameScene* scene = PlayVethra();
  GVethraMap* map = scene->GetMap();
  scene->OnGlobeClick();
  EXPECT_EQ(map->GetState(), GVethraMap::kShowing);
  EXPECT_EQ(map->GetCurrentPart(), 1);
  EXPECT_FALSE(map->IsGridActive());
  EXPECT_TRUE(scene->IsPaused());
  EXPECT_TRUE(scene->CanUseGlobeWhileLocked());
  Beat(5);
  scene->OnGlobeClick();  // sliding: nothing
  EXPECT_EQ(map->GetState(), GVethraMap::kShowing);
  Beat(15);
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  scene->OnGlobeClick();
  EXPECT_EQ(map->GetState(), GVethraMap::kHiding);
  EXPECT_FALSE(scene->IsPaused());
  Beat(20);
  EXPECT_EQ(map->GetState(), GVethraMap::kHidden);
  EXPECT_FALSE(scene->CanUseGlobeWhileLocked());
}

TEST_F(VethraSceneTest, TurningTheGlobeFadesTheMapOnlyWhileItIsShown) {
  GVethraGameScene* scene = PlayVethra();
  GVethraMap* map = scene->GetMap();
  scene->OnGlobeRotated(2);
  EXPECT_EQ(map->GetCurrentPart(), 0);  // hidden: the map stays
  scene->OnGlobeClick();
  Beat(20);
  scene->OnGlobeRotated(0);
  EXPECT_EQ(map->GetCurrentPart(), 0);
  EXPECT_FALSE(map->GetSlides()->IsSettled());
}

TEST_F(VethraSceneTest, ThePanelsArrowsTurnFromTheTargetAndKeepTheLockRule) {
  GVethraGameScene* scene = PlayVethra("1_2_0");
  GGamePanel* panel = mWnd->GetPanel();
  GVethraMap* map = scene->GetMap();
  int part = map->GetCurrentPart();
  RunLua("onGlobeLeftButtonClick()");
  EXPECT_EQ(Globe()->GetTarget(), 0);
  RunLua("onGlobeLeftButtonClick()");
  EXPECT_EQ(Globe()->GetTarget(), 3) << "left of 0 is 3";
  RunLua("onGlobeRightButtonClick()");
  EXPECT_EQ(Globe()->GetTarget(), 0) << "right of 3 is 0";
  EXPECT_EQ(map->GetCurrentPart(), part) << "a hidden map stays";

  // Paused with the map hidden: the locked panel drops the turn.
  scene->Pause();
  ASSERT_TRUE(panel->IsLocked());
  RunLua("onGlobeRightButtonClick()");
  EXPECT_EQ(Globe()->GetTarget(), 0);
  scene->Resume();

  // Looking at the map locks the panel, yet the arrows turn globe and map.
  scene->OnGlobeClick();
  Beat(20);
  ASSERT_TRUE(panel->IsLocked());
  RunLua("onGlobeRightButtonClick()");
  EXPECT_EQ(Globe()->GetTarget(), 1);
  EXPECT_FALSE(map->GetSlides()->IsSettled()) << "the map fades to the new part";
}

TEST_F(VethraSceneTest, TheChoosersButtonsComeAfterAHundredTicksAndEitherRemovesIt) {
  GVethraGameScene* scene = PlayVethra("0_0_0");
  scene->OnThroughSpaceMagic();
  GVethraPotionEffectChooser* chooser = scene->GetChooser();
  ASSERT_NE(chooser, nullptr);
  EXPECT_TRUE(scene->IsPaused());
  ASSERT_EQ(chooser->GetButtons().size(), 2u);
  Beat(99);
  for (GButton* button : chooser->GetButtons()) EXPECT_EQ(button->GetParent(), nullptr);
  Beat(1);
  EXPECT_EQ(chooser->GetState(), GVethraPotionEffectChooser::kShown);
  for (GButton* button : chooser->GetButtons()) EXPECT_EQ(button->GetParent(), chooser);

  RunLua("doThroughVethraPassage()");
  EXPECT_EQ(chooser->GetParent(), nullptr);
  GVethraMap* map = scene->GetMap();
  EXPECT_EQ(map->GetState(), GVethraMap::kShowing);
  EXPECT_TRUE(map->IsGridActive());
  EXPECT_EQ(map->GetGrid()->GetParent(), map);
  Beat(1);
  EXPECT_EQ(scene->GetChooser(), nullptr);
  Beat(19);
  // Shown for travel: the globe does not hide it.
  scene->OnGlobeClick();
  EXPECT_EQ(map->GetState(), GVethraMap::kShown);
  EXPECT_TRUE(scene->IsPaused());
}

TEST_F(VethraSceneTest, TheThroughSpaceButtonOpensTheNavigator) {
  GVethraGameScene* scene = PlayVethra("0_0_0");
  scene->OnThroughSpaceMagic();
  Beat(100);
  RunLua("doThroughSpacePassage()");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kNavigator);
  ASSERT_NE(mWnd->GetNavigator(), nullptr);
  EXPECT_EQ(mWnd->GetNavigator()->GetKind(), GNavigator::kThroughSpace);
  Beat(1);  // the navigator's tick, not the scene's
  ASSERT_NE(scene->GetChooser(), nullptr);
  EXPECT_EQ(scene->GetChooser()->GetParent(), nullptr);
}

// A chooser already taken out by its button, with the scene gone before
// the next tick, goes with the scene.
TEST_F(VethraSceneTest, TheSceneDeletesAChooserItsButtonTookOut) {
  TWindowManager::GetInstance()->AddWindowType("CountingChooser", &CountingChooser::Create);
  RunLua("ChooserType = 'CountingChooser'");
  GVethraGameScene* scene = PlayVethra("0_0_0");
  scene->OnThroughSpaceMagic();
  ASSERT_NE(WindowCast<CountingChooser>(scene->GetChooser()), nullptr);
  RunLua("doThroughVethraPassage()");
  gChoosersDeleted = 0;
  mWnd->DestroyCurrentScene(false);
  EXPECT_EQ(gChoosersDeleted, 1);
  RunLua("ChooserType = nil");
}

TEST_F(VethraSceneTest, TheChoosersGlobalsDieWithTheScene) {
  PlayVethra("0_0_0");
  mWnd->DestroyCurrentScene(false);
  RunLua("assert(doThroughVethraPassage == nil and doThroughSpacePassage == nil and onTravelClick == nil)");
}

}  // namespace
