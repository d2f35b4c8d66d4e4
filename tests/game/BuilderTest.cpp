// Choosing builders and directors, refusing states no builder can make, and
// what the game-scene builder reads from a state node.

#include "game/GInventoryGameScene.h"
#include "game/OSceneBuilder.h"
#include "game/OSceneDirector.h"
#include "game/SceneTestUtil.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

class BuilderTest : public SceneFixture {
 protected:
  // The scene the game-scene road makes of a state node given as text.
  GInventoryGameScene* Build(const char* xml) {
    mNode.reset(new TXmlNode());
    EXPECT_TRUE(mNode->ParseString(xml));
    return static_cast<GInventoryGameScene*>(BuildScene(mNode->GetChildAt(0)));
  }
  std::unique_ptr<TXmlNode> mNode;
};

TEST_F(BuilderTest, TheStateTypeChoosesTheBuilder) {
  struct Case {
    const char* type;
    int kind;
  } cases[] = {{"", ISceneBuilder::kGameScene},
               {"full_screen", ISceneBuilder::kGameScene},
               {"cook", ISceneBuilder::kGameScene},
               {"mini_game", ISceneBuilder::kMinigame},
               {"flash", ISceneBuilder::kFlash}};
  for (const Case& c : cases) {
    TXmlNode node("state");
    node.SetAttribute("type", c.type);
    ISceneBuilder* builder = CreateSceneBuilder(&node, nullptr);
    EXPECT_EQ(builder->GetKind(), c.kind) << c.type;
    ISceneDirector* director = CreateSceneDirector(builder);
    EXPECT_NE(director, nullptr);
    delete director;
    delete builder;
  }
}

TEST_F(BuilderTest, ABuilderKindWithoutADirectorIsFatal) {
  struct OddBuilder : ISceneBuilder {
    int GetKind() override { return 7; }
    GScene* GetScene() override { return nullptr; }
  } odd;
  EXPECT_THROW(CreateSceneDirector(&odd), const char*);
}

TEST_F(BuilderTest, StatesNoBuilderCanMakeAreRefusedWithAMessage) {
  struct Case {
    const char* xml;
    bool buildable;
  } cases[] = {
      {"<state/>", true},
      {"<state type='full_screen'/>", true},
      {"<state type='cook'/>", true},
      {"<state type='tutorial'/>", true},
      {"<state type='plants'/>", true},
      {"<state type='flash'/>", false},
      {"<state type='mini_game'><mini_game id='no_such_game'/></state>", false},
      {"<state type='mini_game'/>", false},
  };
  for (const Case& c : cases) {
    TXmlNode node;
    ASSERT_TRUE(node.ParseString(c.xml));
    size_t before = ReportCount();
    EXPECT_EQ(CanBuildSceneState(&node, "room"), c.buildable) << c.xml;
    EXPECT_EQ(ReportCount() - before, c.buildable ? 0u : 1u) << c.xml;
  }
  size_t before = ReportCount();
  EXPECT_FALSE(CanBuildSceneState(nullptr, "room"));
  EXPECT_EQ(ReportCount() - before, 1u);
}

TEST_F(BuilderTest, SceneFlagsFollowTheStateAttributes) {
  struct Case {
    const char* xml;
    bool fullScreen, hints, magic, standard, onTop;
  } cases[] = {
      {"<s><state/></s>", false, true, true, false, false},
      {"<s><state type='full_screen'/></s>", true, false, true, false, false},
      {"<s><state type='full_screen' drop_zones_hints_enabled='true'/></s>", true, true, true, false, false},
      {"<s><state drop_zones_hints_enabled='false'/></s>", false, false, true, false, false},
      // Only the exact "false" disables the magic control.
      {"<s><state magic_control_enabled='False'/></s>", false, true, true, false, false},
      {"<s><state magic_control_enabled='false'/></s>", false, true, false, false, false},
      {"<s><state use_std_pointer='true' drop_zone_on_top='true'/></s>", false, true, true, true, true},
  };
  for (const Case& c : cases) {
    GInventoryGameScene* scene = Build(c.xml);
    ASSERT_NE(scene, nullptr) << c.xml;
    EXPECT_EQ(scene->IsFullScreen(), c.fullScreen) << c.xml;
    EXPECT_EQ(scene->GetDropZoneHints(), c.hints) << c.xml;
    EXPECT_EQ(scene->IsMagicEnabled(), c.magic) << c.xml;
    EXPECT_EQ(scene->GetStandardPointer(), c.standard) << c.xml;
    EXPECT_EQ(scene->GetDropZonesOnTop(), c.onTop) << c.xml;
    EXPECT_NE(scene->GetMasksManager(), nullptr);
    EXPECT_NE(scene->GetItemsManager(), nullptr);
    EXPECT_NE(scene->GetDropZoneSet(), nullptr);
    delete scene;
  }
}

TEST_F(BuilderTest, BordersAreFiveSlotsInTheirOrder) {
  GInventoryGameScene* scene =
      Build("<s><state><borders><exit link='hall'/><left link='hall'/></borders></state></s>");
  const std::vector<IAction*>* borders = scene->GetBorders();
  ASSERT_NE(borders, nullptr);
  ASSERT_EQ(borders->size(), 5u);
  EXPECT_NE((*borders)[GScene::kBorderLeft], nullptr);
  EXPECT_EQ((*borders)[GScene::kBorderRight], nullptr);
  EXPECT_EQ((*borders)[GScene::kBorderTop], nullptr);
  EXPECT_EQ((*borders)[GScene::kBorderBottom], nullptr);
  EXPECT_NE((*borders)[GScene::kBorderExit], nullptr);
  delete scene;
  scene = Build("<s><state/></s>");
  ASSERT_NE(scene->GetBorders(), nullptr);
  for (IAction* border : *scene->GetBorders()) EXPECT_EQ(border, nullptr);
  delete scene;
}

TEST_F(BuilderTest, MusicComesFromTheStateThenTheWorldThenTheDefault) {
  OSoundManager* sound = OSoundManager::GetInstance();
  delete Build("<s><state><music cycling='false'>lamp_theme</music></state></s>");
  EXPECT_EQ(sound->GetTheme(), "lamp_theme");
  EXPECT_FALSE(sound->GetThemeController().GetThemeFlag());
  // The themes document has an entry for the current world "home".
  delete Build("<s><state/></s>");
  EXPECT_EQ(sound->GetTheme(), "home");
  EXPECT_TRUE(sound->GetThemeController().GetThemeFlag());
}

TEST_F(BuilderTest, ItemNamesKeepTheirSceneOrder) {
  GInventoryGameScene* scene = Build("<s><state><items><item name='b'/><item name='a'/></items></state></s>");
  ASSERT_NE(scene->GetItemNames(), nullptr);
  EXPECT_EQ(*scene->GetItemNames(), (std::vector<str>{"b", "a"}));
  EXPECT_TRUE(scene->IsSceneItem("a"));
  EXPECT_FALSE(scene->IsSceneItem("c"));
  delete scene;
}

}  // namespace
