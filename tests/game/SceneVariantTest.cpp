// The sleeping, under-water and game-over scenes: which state types make
// them, their panels, and the game-over scene's lasting pause.

#include <memory>

#include "game/GGameOverScene.h"
#include "game/GSceneVariants.h"
#include "game/GSleepingGameScene.h"
#include "game/GUnderwaterGameScene.h"
#include "game/OSceneBuilder.h"
#include "game/SceneTestUtil.h"
#include "rules/timers/OTimerIndicator.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"

namespace {

class SceneVariantTest : public SceneFixture {};

TEST_F(SceneVariantTest, StateTypesMakeTheirScenesWithTheirPanels) {
  struct Case {
    const char* type;
    uintptr_t classId;
    int panelKind;
  } cases[] = {{"sleeping", GSleepingGameScene::ClassId(), 0},
               {"under_water", GUnderwaterGameScene::ClassId(), 5},
               {"game_over", GGameOverScene::ClassId(), 4}};
  for (const Case& c : cases) {
    TXmlNode node("state");
    node.SetAttribute("type", c.type);
    EXPECT_TRUE(CanBuildSceneState(&node, "room")) << c.type;
    std::unique_ptr<GFullScreenGameScene> scene(CreateSceneVariant(c.type));
    ASSERT_TRUE(scene) << c.type;
    EXPECT_TRUE(scene->IsKindOf(c.classId)) << c.type;
    EXPECT_TRUE(scene->UsesPanel()) << c.type;
    GGamePanel panel;
    panel.SetKind(9);
    scene->AttachPanel(&panel);
    EXPECT_EQ(panel.GetKind(), c.panelKind) << c.type;
    EXPECT_EQ(panel.GetParent(), scene->GetPanelLayer()) << c.type;
    scene->DetachPanel();
    EXPECT_EQ(panel.GetParent(), nullptr) << c.type;
  }
  EXPECT_EQ(CreateSceneVariant(""), nullptr);
  EXPECT_EQ(CreateSceneVariant("Sleeping"), nullptr);
}

// Always paused, so neither the quick save nor the local menu is offered,
// while its panel still follows the pauses.
TEST_F(SceneVariantTest, GameOverAlwaysCountsAsPaused) {
  GGamePanel* panel = new GGamePanel();
  {
    GGameOverScene scene;
    scene.AttachPanel(panel);
    panel->SetClient(&scene);
    EXPECT_FALSE(scene.IsMagicEnabled());
    scene.SetState(GScene::kFadeIn);
    EXPECT_TRUE(panel->IsLocked());
    for (int i = 0; i < GScene::kFadeTicks; ++i) scene.Update();
    EXPECT_EQ(scene.GetState(), GScene::kActive);
    EXPECT_FALSE(panel->IsLocked());
    EXPECT_TRUE(scene.IsPaused());
    scene.Pause();
    EXPECT_TRUE(panel->IsLocked());
  }
  // The dying scene gives the panel back.
  EXPECT_EQ(panel->GetParent(), nullptr);
  EXPECT_EQ(panel->GetClient(), nullptr);
  delete panel;
}

TEST_F(SceneVariantTest, GameOverEmptiesThePoisonIndicator) {
  OTimerIndicator* poison = OIndicatorsManager::GetInstance()->GetPoison();
  poison->SetTotalTime(5000);
  poison->SetLeftTime(1000);
  poison->SetText("poison_text");
  GGameOverScene scene;
  EXPECT_EQ(poison->GetTotalTime(), 0);
  EXPECT_EQ(poison->GetAlpha(), 0.0f);
  EXPECT_EQ(poison->GetTextKey(), "");
}

}  // namespace
