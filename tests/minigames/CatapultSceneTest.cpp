// The catapult scene: the game panel it is given is never left holding the
// deleted scene, and the keys are read by the low byte of their code,
// unsigned (the codes 128 to 131 do not fit a signed char).

#include "CatapultTestUtil.h"
#include "game/OGame.h"
#include "items/OItemsManager.h"
#include "minigames/catapult/GCatapultScene.h"
#include "tools/panel/GGamePanel.h"

namespace {

TEST_F(CatapultTest, ADeletedSceneLeavesThePanelWithoutItsClientOrItsItems) {
  GGamePanel panel;
  GCatapultScene* scene = new GCatapultScene();
  // As the scene builder leaves them: the panel shows the scene's items.
  scene->SetItemsManager(new OItemsManager(nullptr));
  scene->AttachPanel(&panel);
  panel.SetClient(scene);
  panel.SetItemsManager(scene->GetItemsManager());
  ASSERT_NE(panel.GetItemsManager(), nullptr);
  // The catapult shows its own panel, not this one.
  EXPECT_EQ(panel.GetParent(), nullptr);
  delete scene;
  EXPECT_EQ(panel.GetClient(), nullptr);
  EXPECT_EQ(panel.GetItemsManager(), nullptr);
}

TEST_F(CatapultTest, ArrowKeysSteerWhileThePlayGoesOn) {
  GCatapultScene scene;
  GCatapultField& field = scene.GetField();
  struct Case {
    int code, horizontal, vertical;
  } cases[] = {{37, -1, 0}, {130, -1, 0}, {39, 1, 0}, {131, 1, 0},
               {38, 0, -1}, {128, 0, -1}, {40, 0, 1}, {129, 0, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    scene.Pause();
    scene.OnGameKeyDown(char(c.code), 0);
    EXPECT_EQ(field.mHorizontal, 0);
    EXPECT_EQ(field.mVertical, 0);
    scene.Resume();
    scene.OnGameKeyDown(char(c.code), 0);
    EXPECT_EQ(field.mHorizontal, c.horizontal);
    EXPECT_EQ(field.mVertical, c.vertical);
    // Let go while paused, the key goes on steering.
    scene.Pause();
    scene.OnGameKeyUp(char(c.code));
    EXPECT_EQ(field.mHorizontal, c.horizontal);
    scene.Resume();
    scene.OnGameKeyUp(char(c.code));
    EXPECT_EQ(field.mHorizontal, 0);
    EXPECT_EQ(field.mVertical, 0);
  }
}

}  // namespace

namespace {

TEST_F(CatapultTest, AGameOverTakesNoKeyTickOrShotWhateverResumesIt) {
  GCatapultScene scene;
  GCatapultField& field = scene.GetField();
  TXmlNode node;
  ASSERT_TRUE(node.ParseString(FieldXml("max_ships='9'")));
  field.Load(&node, nullptr);
  scene.Resume();
  scene.Finish(false);
  ASSERT_TRUE(scene.IsFinished());
  scene.Resume();
  scene.OnGameKeyDown(char(37), 0);
  EXPECT_EQ(field.mHorizontal, 0);
  field.mHorizontal = -1;
  scene.OnTaskAnimate();
  EXPECT_FLOAT_EQ(field.GetCursor().GetX(), 50);
  field.OnShootLua();
  EXPECT_EQ(field.mFlight, -1);
  // The end touched the game's variables and registry: later tests start
  // without them.
  OGame::DeleteInstance();
}

}  // namespace
