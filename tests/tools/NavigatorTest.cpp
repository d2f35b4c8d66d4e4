// The navigator through the game window: how long each state lasts on the
// way to another world and on the way back, the scene taken out and put
// back, sound and music on the way, the worlds the selection offers, and
// what is survived: no selection, broken locations, a button with no world,
// a change of state on the way, and quitting half-way.

#include <vector>

#include "TravelTestUtil.h"
#include "game/GFullScreenGameScene.h"
#include "game/IMousePointerController.h"
#include "game/OMousePointerManager.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/OMagicRegistry.h"
#include "tools/travel/GNavigator.h"
#include "tools/travel/GTravelSelection.h"
#include "tools/vethra/GVethraGameScene.h"
#include "visual/GVObjectWrapper.h"
#include "visual/LuaUtils.h"

namespace {

class NavigatorTest : public TravelFixture {
 protected:
  void SetUp() override {
    TravelFixture::SetUp();
    // Made first: entering the first world empties the registry.
    OGame::GetInstance();
    OMagicRegistry* registry = OMagicRegistry::GetInstance();
    registry->SetValue("home", 2);
    registry->SetValue("vethra", 2);
    registry->SetValue("old_keep", 0);
  }
  GNavigator* Nav() const { return mWnd->GetNavigator(); }
  // Beats until the navigator leaves `state`, or is gone.
  int BeatsIn(int state) {
    int n = 0;
    while (Nav() && Nav()->GetState() == state && n < 1000) {
      Beat();
      ++n;
    }
    return n;
  }
  // From a new game to the choice.
  GScene* OpenAndChoose(bool throughTime = false, const str& world = "home", const str& scene = "") {
    GScene* first = Play(world, scene);
    if (throughTime)
      first->OnThroughTimeMagic();
    else
      first->OnThroughSpaceMagic();
    while (Nav() && Nav()->GetState() != GNavigator::kChoosing && Nav()->GetTickCount() < 1000) Beat();
    return first;
  }
  std::vector<str> Offered() const {
    std::vector<str> worlds;
    if (Nav() && Nav()->GetSelection())
      for (GTravelLocation* location : Nav()->GetSelection()->GetLocations())
        worlds.push_back(location->GetWorldId());
    return worlds;
  }
  static void SetSelectionScript(const str& file) {
    OGameConfig::GetInstance()
        ->GetGameScreenChild("navigator")
        ->GetChild("through_space")
        ->GetChild("travel_selection")
        ->SetAttribute("file", file);
  }
};

TEST_F(NavigatorTest, EachStateLastsItsTicksAndTheSceneGoesAndComesBack) {
  struct Leg {
    int state;
    int beats;
  };
  const std::vector<Leg> opening = {
      {GNavigator::kStart, 4}, {GNavigator::kCover, 151}, {GNavigator::kSelectionIn, 151}};
  const std::vector<Leg> cancel = {{GNavigator::kCancelCover, 151}, {GNavigator::kCancelUncover, 150}};
  const std::vector<Leg> travel = {{GNavigator::kTravelCover, 150}, {GNavigator::kTravelUncover, 150}};

  for (bool travelling : {false, true}) {
    SCOPED_TRACE(travelling ? "travel" : "cancel");
    GScene* scene = Play();
    scene->SetName("first");
    scene->OnThroughSpaceMagic();
    ASSERT_NE(Nav(), nullptr);
    EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kNavigator);
    EXPECT_TRUE(scene->IsPaused());
    EXPECT_EQ(Nav()->GetParent(), mWnd);
    EXPECT_EQ(mWnd->GetChildren().back(), Nav());  // over the scene
    for (const Leg& leg : opening) {
      EXPECT_EQ(Nav()->GetState(), leg.state);
      EXPECT_EQ(BeatsIn(leg.state), leg.beats) << "state " << leg.state;
      EXPECT_EQ(Nav()->GetAfterPortalImage()->GetParent(), nullptr);
    }
    ASSERT_EQ(Nav()->GetState(), GNavigator::kChoosing);
    EXPECT_EQ(scene->GetParent(), nullptr);
    EXPECT_EQ(Nav()->GetSelection()->GetParent(), Nav());
    RunLua(travelling ? "notifyWorldButtonClick('vethra')" : "onNavigatorExitClick()");
    for (const Leg& leg : travelling ? travel : cancel) {
      ASSERT_NE(Nav(), nullptr);
      EXPECT_EQ(Nav()->GetState(), leg.state);
      EXPECT_EQ(BeatsIn(leg.state), leg.beats) << "state " << leg.state;
    }
    EXPECT_EQ(Nav(), nullptr);
    EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
    GScene* now = mWnd->GetCurrentScene();
    ASSERT_NE(now, nullptr);
    EXPECT_FALSE(now->IsPaused());
    EXPECT_EQ(now->GetParent(), mWnd->GetSceneHost());
    if (travelling) {
      EXPECT_NE(now->GetName(), "first");
      EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "0_0_0");
      EXPECT_NE(WindowCast<GVethraGameScene>(now), nullptr);
      EXPECT_EQ(now->GetState(), GScene::kActive);
    } else {
      EXPECT_EQ(now->GetName(), "first");
      EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "room");
    }
    delete mWnd;
    mWnd = nullptr;
    ResetGame();
    SetUp();
  }
}

TEST_F(NavigatorTest, AStartTooLongToWaitIsReported) {
  OGameConfig::GetInstance()
      ->GetGameScreenChild("navigator")
      ->GetChild("through_space")
      ->GetChild("start_particles")
      ->SetAttribute("num_ticks", "99999999999");
  GScene* scene = Play();
  size_t before = ReportCount();
  scene->OnThroughSpaceMagic();
  ASSERT_NE(Nav(), nullptr);
  EXPECT_EQ(ReportCount(), before + 1);
}

TEST_F(NavigatorTest, EffectsAreSilentWhileChoosingAndTheMusicComesBackOnCancel) {
  OSoundManager* sound = OSoundManager::GetInstance();
  sound->SetSoundVolume(0.7f);
  OpenAndChoose();
  str before = Nav()->GetSavedTheme();
  EXPECT_EQ(before, "home");
  EXPECT_EQ(sound->GetTheme(), "navigator_space");
  EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0);
  RunLua("onNavigatorExitClick()");
  EXPECT_EQ(sound->GetTheme(), "home");
  BeatsIn(GNavigator::kCancelCover);
  EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0.7f);
  BeatsIn(GNavigator::kCancelUncover);
  EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0.7f);
}

TEST_F(NavigatorTest, ThroughTimeKeepsItsOwnThemeAndVolumeComesBackAfterTheJourney) {
  OMagicRegistry::GetInstance()->SetValue("old_keep", 2);
  OSoundManager* sound = OSoundManager::GetInstance();
  sound->SetSoundVolume(0.4f);
  OpenAndChoose(true);
  EXPECT_EQ(Nav()->GetKind(), GNavigator::kThroughTime);
  EXPECT_EQ(sound->GetTheme(), "navigator_time");
  RunLua("notifyWorldButtonClick('old_keep')");
  BeatsIn(GNavigator::kTravelCover);
  BeatsIn(GNavigator::kTravelUncover);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "keep");
  EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0.4f);
}

// Quitting while the choice is up deletes the navigator with the game
// window: the effects must not stay silent for the rest of the run.
TEST_F(NavigatorTest, QuittingHalfWayGivesTheEffectsTheirVolumeAndThePointerBack) {
  TWindowStyle style;
  GMousePointer::GetInstance()->Init(style);
  // The first of the pointer's controllers is the one that hides it.
  IMousePointerController* hider = GMousePointer::PeekManager()->GetControllers().at(0);
  OSoundManager* sound = OSoundManager::GetInstance();
  sound->SetSoundVolume(0.7f);
  GScene* scene = Play();
  scene->OnThroughSpaceMagic();
  EXPECT_TRUE(hider->WantsPointer());
  while (Nav()->GetState() != GNavigator::kChoosing) Beat();
  ASSERT_FLOAT_EQ(sound->GetSoundVolume(), 0);
  RunLua("onNavigatorExitClick()");  // the cover fade hides the pointer again
  EXPECT_TRUE(hider->WantsPointer());
  delete mWnd;
  mWnd = nullptr;
  EXPECT_FLOAT_EQ(sound->GetSoundVolume(), 0.7f);
  EXPECT_FALSE(hider->WantsPointer());
}

TEST_F(NavigatorTest, TheWorldButtonsGlobalNeedsAWorldAndTheChoice) {
  GScene* scene = Play();
  scene->OnThroughSpaceMagic();
  RunLua("notifyWorldButtonClick('vethra')");  // during the start: ignored
  RunLua("onNavigatorExitClick()");
  EXPECT_EQ(Nav()->GetState(), GNavigator::kStart);
  while (Nav()->GetState() != GNavigator::kChoosing) Beat();

  size_t before = ReportCount();
  for (const char* call :
       {"notifyWorldButtonClick()", "notifyWorldButtonClick('')", "notifyWorldButtonClick(nil)"}) {
    RunLua(call);
    EXPECT_EQ(Nav()->GetState(), GNavigator::kChoosing) << call;
  }
  // A button with no world is no mistake of the content worth a message.
  EXPECT_EQ(ReportCount(), before);
  RunLua("notifyWorldButtonClick('nowhere')");
  EXPECT_EQ(Nav()->GetState(), GNavigator::kChoosing);
  EXPECT_EQ(ReportCount(), before + 1);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentWorldId(), "home");

  RunLua("notifyWorldButtonClick('vethra')");
  EXPECT_EQ(Nav()->GetState(), GNavigator::kTravelCover);
  // The world changed at once, with the old scene still there, orphaned.
  EXPECT_EQ(OGame::GetInstance()->GetCurrentWorldId(), "vethra");
  EXPECT_TRUE(Sent("world_enter vethra"));
  EXPECT_EQ(mWnd->GetCurrentScene(), scene);
  RunLua("notifyWorldButtonClick('old_keep')");
  RunLua("onNavigatorExitClick()");
  EXPECT_EQ(Nav()->GetState(), GNavigator::kTravelCover);
}

TEST_F(NavigatorTest, TheSelectionOffersUnlockedWorldsOtherThanTheCurrentOne) {
  OMagicRegistry* registry = OMagicRegistry::GetInstance();
  registry->SetValue("vethra", 1);
  OpenAndChoose();
  EXPECT_EQ(Offered(), std::vector<str>{"vethra"});
  // The new world played its unlock effect and is seen now; the other
  // particles are the selection's own effects.
  EXPECT_EQ(registry->GetValue("vethra"), 2);
  EXPECT_EQ(Nav()->GetSelection()->GetParticles().size(), 2u);
  RunLua("onNavigatorExitClick()");
  BeatsIn(GNavigator::kCancelCover);
  BeatsIn(GNavigator::kCancelUncover);

  registry->SetValue("old_keep", 1);
  mWnd->GetCurrentScene()->OnThroughSpaceMagic();
  while (Nav()->GetState() != GNavigator::kChoosing) Beat();
  EXPECT_EQ(Offered(), (std::vector<str>{"vethra", "old_keep"}));
  EXPECT_EQ(Nav()->GetSelection()->GetParticles().size(), 2u);  // only old_keep's unlock
}

TEST_F(NavigatorTest, ThroughTimeOffersHomeOnlyFromATimeWorld) {
  OMagicRegistry::GetInstance()->SetValue("old_keep", 2);
  OpenAndChoose(true, "vethra", "1_2_0");
  EXPECT_EQ(Offered(), std::vector<str>{"old_keep"});
  delete mWnd;
  mWnd = nullptr;
  ResetGame();
  OGame::GetInstance();
  OMagicRegistry::GetInstance()->SetValue("home", 2);
  OpenAndChoose(true, "old_keep");
  EXPECT_EQ(Offered(), std::vector<str>{"home"});
}

TEST_F(NavigatorTest, WithoutASelectionThePlayerCanStillLeave) {
  SetSelectionScript("scripts/missing.lua");
  size_t before = ReportCount();
  OpenAndChoose();
  EXPECT_GT(ReportCount(), before);
  EXPECT_EQ(Nav()->GetSelection(), nullptr);
  Beat(3);
  RunLua("onNavigatorExitClick()");
  BeatsIn(GNavigator::kCancelCover);
  BeatsIn(GNavigator::kCancelUncover);
  EXPECT_EQ(Nav(), nullptr);
  EXPECT_FALSE(mWnd->GetCurrentScene()->IsPaused());
}

TEST_F(NavigatorTest, LocationsWithoutAButtonOrOfAnotherKindAreSkipped) {
  OMagicRegistry::GetInstance()->SetValue("old_keep", 2);
  SetSelectionScript("scripts/selection_broken.lua");
  size_t before = ReportCount();
  OpenAndChoose();
  EXPECT_EQ(ReportCount(), before + 2);
  EXPECT_EQ(Offered(), std::vector<str>{"vethra"});
  EXPECT_EQ(Nav()->GetSelection()->GetChildWindow("loc2"), nullptr);
}

TEST_F(NavigatorTest, TheEnteredWorldsEffectsPlayInItsScene) {
  OpenAndChoose();
  RunLua("notifyWorldButtonClick('vethra')");
  BeatsIn(GNavigator::kTravelCover);
  GFullScreenGameScene* scene = WindowCast<GFullScreenGameScene>(mWnd->GetCurrentScene());
  ASSERT_NE(scene, nullptr);
  EXPECT_TRUE(scene->GetEffectsList()->empty());
  BeatsIn(GNavigator::kTravelUncover);
  EXPECT_EQ(scene->GetEffectsList()->size(), 1u);
}

// A result of "world_enter" may change a variable that selects another
// state of the new world's scene: the journey goes on, and builds that state.
TEST_F(NavigatorTest, AChangeOfStateOnTheWayDoesNotEndTheJourney) {
  OpenAndChoose();
  RunLua("notifyWorldButtonClick('vethra')");
  OFlagsRegistry::GetInstance()->SetValue("dusk", "true");
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kNavigator);
  BeatsIn(GNavigator::kTravelCover);
  EXPECT_EQ(OGame::GetInstance()->GetStateIndex(), 1);
  BeatsIn(GNavigator::kTravelUncover);
  EXPECT_EQ(Nav(), nullptr);
  EXPECT_EQ(mWnd->GetTransitionState(), GGameWnd::kPlayingAfterChange);
  EXPECT_FALSE(mWnd->GetCurrentScene()->IsPaused());
}

TEST(TravelLocationTest, TheWorldPictureFadesInOverTwentyTicksAndOutOverTen) {
  struct Case {
    bool highlighted;
    float from;
    int ticks;
    float to;
  } cases[] = {{true, 0, 20, 1}, {false, 1, 10, 0}, {true, 1, 1, 1}, {false, 0, 1, 0}, {true, 0.5f, 10, 1}};
  for (const Case& c : cases) {
    float a = c.from;
    int n = 0;
    while (a != c.to && n < 100) {
      a = GTravelLocation::NextWorldAlpha(a, c.highlighted);
      ++n;
    }
    EXPECT_EQ(c.to == c.from ? 0 : c.ticks, n) << c.from << (c.highlighted ? " in" : " out");
    EXPECT_EQ(GTravelLocation::NextWorldAlpha(a, c.highlighted), a);
  }
}

TEST_F(NavigatorTest, TheButtonsMouseOverLightsItsLocation) {
  OpenAndChoose();
  GTravelLocation* vethra = Nav()->GetSelection()->GetLocations()[0];
  GTravelButton* button = vethra->GetButton();
  GVObject* star = vethra->GetAnim()->GetObject();
  ASSERT_NE(star, nullptr);
  EXPECT_FALSE(star->visible);
  button->StateUpdate(TButton::kHover, TButton::kNormal);
  EXPECT_TRUE(vethra->IsHighlighted());
  EXPECT_TRUE(star->visible);
  Beat(20);
  EXPECT_EQ(vethra->GetWorldImage()->GetAlpha(), 1);
  button->StateUpdate(TButton::kPressed | TButton::kHover, TButton::kHover);
  EXPECT_TRUE(vethra->IsHighlighted());
  button->StateUpdate(TButton::kNormal, TButton::kHover);
  EXPECT_FALSE(star->visible);
  Beat(9);
  EXPECT_GT(vethra->GetWorldImage()->GetAlpha(), 0);
  Beat(1);
  EXPECT_EQ(vethra->GetWorldImage()->GetAlpha(), 0);
}

}  // namespace
