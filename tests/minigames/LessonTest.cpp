// The lesson every mini-game may give: the game is held still until it
// opens, and a game that has ended opens none and is held no longer.

#include "MinigameTestUtil.h"
#include "game/GMiniGameScene.h"

namespace {

class LessonScene : public GMiniGameScene {
 public:
  using GMiniGameScene::BeginFinish;
  using GMiniGameScene::GetTutorialCountdown;
  using GMiniGameScene::ReadTutorial;
  using GMiniGameScene::TickTutorial;
};

TEST_F(MinigameTest, TheLessonHoldsTheGameUntilItOpensAndNeverOpensAfterTheEnd) {
  LessonScene scene;
  ASSERT_TRUE(scene.ReadTutorial(Xml("<state><tutorial start='3' script='scripts/lesson.lua'/></state>")));
  scene.Pause();
  // The end of a fade-in resumes the scene: the lesson is still to come.
  scene.Resume();
  EXPECT_TRUE(scene.IsPaused());
  scene.TickTutorial();
  EXPECT_EQ(scene.GetTutorialCountdown(), 2);

  ASSERT_TRUE(scene.BeginFinish());
  scene.TickTutorial();
  scene.TickTutorial();
  EXPECT_EQ(scene.GetTutorialCountdown(), -1) << "a lesson is still due after the end";
  scene.Resume();
  EXPECT_FALSE(scene.IsPaused()) << "the ended game's fade out is held for a lesson";
}

}  // namespace
