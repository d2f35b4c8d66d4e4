// The Flash stand-in host, the Flash scene's result action and the Flash
// builder.

#include <memory>

#include "game/GFlashScene.h"
#include "game/GMasksManager.h"
#include "game/SceneTestUtil.h"
#include "rules/actions/IAction.h"
#include "sdk/TFlashHost.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

// Absolute, whatever path the build gave this file.
str Clip(const char* name) {
  return str(TOLVANE_TEST_FIXTURES) + "/flash/clips/" + name + ".swf";
}

struct CountingAction : IAction {
  int* runs;
  explicit CountingAction(int* r) : runs(r) {}
  void Execute() override { ++*runs; }
};

class FlashTest : public SceneFixture {
 protected:
  // Moves the platform clock by `ms` in heartbeats of 16 ms or less.
  static void Advance(uint32_t ms) {
    while (ms > 0) {
      uint32_t step = ms < 16 ? ms : 16;
      TPlatform::GetInstance()->Tick(step);
      ms -= step;
    }
  }
};

TEST_F(FlashTest, FramesAreNamedAfterTheClip) {
  struct Case {
    const char* file;
    int index;
    const char* path;
  } cases[] = {{"flash/intro.swf", 0, "flash/intro_0001.png"},
               {"flash/intro.swf", 11, "flash/intro_0012.png"},
               {"clip", 0, "clip_0001.png"},
               {"movies.v2/clip", 1, "movies.v2/clip_0002.png"}};
  for (const Case& c : cases) EXPECT_EQ(TFlashHost::FramePath(c.file, c.index), c.path) << c.file;
}

TEST_F(FlashTest, HostCountsFramesUpToTheFirstGap) {
  EXPECT_EQ(TFlashHost(Clip("three")).GetTotalFrames(), 3);
  EXPECT_EQ(TFlashHost(Clip("one")).GetTotalFrames(), 1);
  EXPECT_EQ(TFlashHost(Clip("none")).GetTotalFrames(), 0);
  EXPECT_EQ(TFlashHost("").GetTotalFrames(), 0);
}

TEST_F(FlashTest, HostPlaysAtItsRateAndHoldsTheLastFrame) {
  TFlashHost host(Clip("three"));
  EXPECT_EQ(host.GetFrameNum(), 0);
  Advance(100);
  EXPECT_EQ(host.GetFrameNum(), 0) << "not started";
  host.Start(false, true, false);
  Advance(TFlashHost::kFrameMs - 1);
  EXPECT_EQ(host.GetFrameNum(), 0);
  Advance(1);
  EXPECT_EQ(host.GetFrameNum(), 1);
  Advance(TFlashHost::kFrameMs * 10);
  EXPECT_EQ(host.GetFrameNum(), 2);
  host.Stop();
  EXPECT_FALSE(host.IsPlaying());
  EXPECT_EQ(host.GetFrameNum(), 2);

  TFlashHost looping(Clip("three"));
  looping.Start(true, true, false);
  Advance(TFlashHost::kFrameMs * 4);
  EXPECT_EQ(looping.GetFrameNum(), 1);
}

// The result action runs when the last frame shows, and only then: an action
// that sets a variable or queues a hint must not repeat every tick.
TEST_F(FlashTest, ResultActionRunsOnceAtTheLastFrame) {
  int runs = 0;
  GFlashScene scene;
  scene.SetFlashHost(new TFlashHost(Clip("three")));
  scene.SetResultAction(new CountingAction(&runs));
  scene.SetState(GScene::kActive);
  scene.Update();
  Advance(TFlashHost::kFrameMs);
  scene.Update();
  EXPECT_EQ(runs, 0) << "frame 1 of 3";
  Advance(TFlashHost::kFrameMs);
  scene.Update();
  EXPECT_EQ(runs, 1);
  for (int i = 0; i < 50; ++i) {
    Advance(16);
    scene.Update();
  }
  EXPECT_EQ(runs, 1);
}

TEST_F(FlashTest, ShortClipsEndWhenTheFadeInDoes) {
  for (const char* clip : {"one", "none"}) {
    int runs = 0;
    GFlashScene scene;
    scene.SetFlashHost(new TFlashHost(Clip(clip)));
    scene.SetResultAction(new CountingAction(&runs));
    scene.SetState(GScene::kFadeIn);
    for (int i = 0; i < GScene::kFadeTicks - 1; ++i) scene.Update();
    EXPECT_EQ(runs, 0) << clip << ": still fading in";
    scene.Update();
    EXPECT_EQ(scene.GetState(), GScene::kActive);
    EXPECT_EQ(runs, 1) << clip;
    scene.Update();
    EXPECT_EQ(runs, 1) << clip;
  }
}

TEST_F(FlashTest, SceneChangeStopsTheClip) {
  GFlashScene scene;
  scene.SetFlashHost(new TFlashHost(Clip("three")));
  scene.SetState(GScene::kActive);
  EXPECT_TRUE(scene.GetFlashHost()->IsPlaying());
  scene.SetState(GScene::kFadeOutScene);
  EXPECT_FALSE(scene.GetFlashHost()->IsPlaying());
}

class FlashBuilderTest : public FlashTest {
 protected:
  GFlashScene* Build(const str& xml) {
    mNode.reset(new TXmlNode());
    EXPECT_TRUE(mNode->ParseString(xml));
    GScene* scene = BuildScene(mNode.get());
    EXPECT_TRUE(scene && scene->IsKindOf(GFlashScene::ClassId()));
    return static_cast<GFlashScene*>(scene);
  }
  std::unique_ptr<TXmlNode> mNode;
};

// The scene keeps the masks manager it is built with: its pause, resume and
// clicks go through it, and the result action reaches the scene by it.
TEST_F(FlashBuilderTest, SceneHoldsItsMasksManagerAndAction) {
  std::unique_ptr<GFlashScene> scene(Build("<state type='flash'><flash_file>" + Clip("three") +
                                           "</flash_file><result_action link='hall'/></state>"));
  ASSERT_TRUE(scene);
  GMasksManager* masks = scene->GetMasksManager();
  ASSERT_NE(masks, nullptr);
  EXPECT_EQ(masks->GetScene(), scene.get());
  EXPECT_EQ(masks->GetParent(), scene->GetBackgroundLayer());
  ASSERT_NE(scene->GetResultAction(), nullptr);
  EXPECT_EQ(scene->GetResultAction()->GetOwner(), masks);
  EXPECT_EQ(scene->GetFlashHost()->GetTotalFrames(), 3);
  EXPECT_NE(scene->GetItemsManager(), nullptr);
  EXPECT_NE(scene->GetDropZoneSet(), nullptr);
  EXPECT_FALSE(scene->UsesPanel());
  EXPECT_FALSE(scene->IsMagicEnabled());
  scene->SetState(GScene::kFadeIn);
  scene->SetState(GScene::kActive);
  scene->Pause();
  EXPECT_TRUE(masks->IsBlocked());
  scene->Resume();
  EXPECT_FALSE(masks->IsBlocked());
}

TEST_F(FlashBuilderTest, StatesWithoutAResultActionAreRefused) {
  struct Case {
    const char* xml;
    bool buildable;
  } cases[] = {
      {"<state type='flash'><result_action link='hall'/></state>", true},
      {"<state type='flash'><flash_file>f.swf</flash_file></state>", false},
      {"<state type='flash'><result_action type='no_such_kind'/></state>", false},
  };
  for (const Case& c : cases) {
    TXmlNode node;
    ASSERT_TRUE(node.ParseString(c.xml));
    size_t before = ReportCount();
    EXPECT_EQ(CanBuildSceneState(&node, "intro"), c.buildable) << c.xml;
    EXPECT_EQ(ReportCount() - before, c.buildable ? 0u : 1u) << c.xml;
  }
}

}  // namespace
