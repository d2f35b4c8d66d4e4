// The mini-game builder makes the tag puzzle and the mirrors game, attaches
// the panel, and a deleted game leaves the panel without its client; the
// tag puzzle's note button does nothing without a note.

#include "game/SceneTestUtil.h"
#include "minigames/mirrors/GMirrorsScene.h"
#include "minigames/tag/GTagScene.h"
#include "sdk/TWindowStyle.h"
#include "tools/panel/GGamePanel.h"

namespace {

class TagMirrorsBuilderTest : public SceneFixture {};

TEST_F(TagMirrorsBuilderTest, TheTagAndMirrorsGamesAreBuiltAndLetThePanelGo) {
  struct Case {
    const char* id;
    uintptr_t (*classId)();
    int kind;
  } cases[] = {{"tag", &GTagScene::ClassId, GGamePanel::kKindTag},
               {"mirrors", &GMirrorsScene::ClassId, GGamePanel::kKindMirrors}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    TXmlNode node;
    ASSERT_TRUE(node.ParseString(
        str::format("<state type='mini_game'><mini_game id='%s' panel='true'/>"
                    "<field width='2' height='2' x='100' y='100'><cells width='50' height='50'/>"
                    "<mirrors marker='none'><m x='1' y='1' r='1'/></mirrors></field></state>",
                    c.id)));
    EXPECT_TRUE(CanBuildSceneState(&node, "tower"));
    EXPECT_EQ(OMinigameSceneBuilder::GetPanelKind(c.id), c.kind);
    GScene* scene = BuildScene(&node);
    ASSERT_NE(scene, nullptr);
    EXPECT_TRUE(scene->IsKindOf(c.classId()));

    GGamePanel panel;
    scene->AttachPanel(&panel);
    panel.SetClient(scene);
    EXPECT_EQ(panel.GetParent(), scene);
    TWindowStyle style;
    scene->Init(style);
    if (GTagScene* tag = dynamic_cast<GTagScene*>(scene)) {
      // Without a note the note button's global opens nothing.
      tag->Resume();
      tag->OnMinigameButtonClick();
      EXPECT_FALSE(tag->IsNoteShown());
      EXPECT_EQ(tag->GetNoteImage(), nullptr);
    }
    delete scene;
    EXPECT_EQ(panel.GetClient(), nullptr);
    EXPECT_EQ(panel.GetParent(), nullptr);
  }
}

// A game whose state names no win or lose variable sets none.
TEST_F(TagMirrorsBuilderTest, AnEmptyExitFlagNameSetsNoVariable) {
  size_t before = OMissionsManager::GetInstance()->GetAsked().size();
  GMiniGameScene::SetExitFlag("", "true");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue(""), "null");
  EXPECT_EQ(OMissionsManager::GetInstance()->GetAsked().size(), before);
  GMiniGameScene::SetExitFlag("tag_won", "true");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("tag_won"), "true");
}

}  // namespace
