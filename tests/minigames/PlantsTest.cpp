// The plants game: the icons' fades, their following the plants inventory,
// the done button's count, the end, and the scene's place in the builder
// and the panel.

#include <memory>
#include <vector>

#include "game/OFlagsRegistry.h"
#include "game/OGame.h"
#include "game/SceneTestUtil.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "minigames/plants/GPlantGoal.h"
#include "minigames/plants/GPlantsScene.h"
#include "sdk/TReport.h"
#include "sdk/TWindowStyle.h"
#include "sdk/TXmlNode.h"
#include "tools/panel/GGamePanel.h"
#include "tools/panel/GInventory.h"
#include "tools/panel/GInventoryCell.h"

namespace {

TEST(PlantGoalTest, AnIconFadesByItsStepAndStopsAtEitherEnd) {
  struct Case {
    const char* what;
    float step;
    std::vector<char> fades;  // 'i' in, 'o' out, '.' a tick
    float alpha;
    bool fading;
  } cases[] = {
      {"one step in", 0.05f, {'i', '.'}, 0.05f, true},
      {"full after twenty", 0.05f, std::vector<char>(1, 'i'), 0, true},
      {"back out by the same steps", 0.25f, {'i', '.', '.', '.', '.', 'o', '.'}, 0.75f, true},
      {"out to nothing", 0.25f, {'i', '.', '.', 'o', '.', '.', '.'}, 0, false},
      {"a step of 0 never moves", 0, {'i', '.', '.', '.'}, 0, true},
      {"no fade, no change", 0.5f, {'.', '.'}, 0, false},
  };
  // Twenty ticks of 0.05 make it exactly full, and the fade ends there.
  cases[1].fades.insert(cases[1].fades.end(), 20, '.');
  cases[1].alpha = 1.0f;
  cases[1].fading = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GPlantGoal goal("mint", c.step, nullptr);
    for (char f : c.fades) {
      if (f == 'i') goal.FadeIn();
      if (f == 'o') goal.FadeOut();
      if (f == '.') goal.Step();
    }
    EXPECT_FLOAT_EQ(goal.GetAlpha(), c.alpha);
    EXPECT_EQ(goal.IsFull(), c.alpha == 1.0f) << "full is exactly 1";
    EXPECT_EQ(goal.IsFading(), c.fading);
  }
}

// A plants scene with three plants cells on a panel, its goals given by
// name with a step of 0.5.
class PlantsTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    AddToGuide(
        "<mint><gvobject name='x'>anim/</gvobject></mint><sage><gvobject name='x'>anim/</gvobject></sage>"
        "<fern><gvobject name='x'>anim/</gvobject></fern>");
    TXmlNode strip;
    ASSERT_TRUE(strip.ParseString(
        "<inventory><cells totalCells='3' width='10' height='10'><p x='0' y='0'/></cells></inventory>"));
    TWindowStyle style;
    Plants()->LoadCells(style, &strip);
    mScene.reset(new GPlantsScene());
    mScene->AttachPanel(&mPanel);
  }
  void TearDown() override {
    mScene.reset();
    SceneFixture::TearDown();
  }
  GInventory* Plants() { return mPanel.GetInventory(GGamePanel::kPlantsInventory); }
  void Goals(std::initializer_list<const char*> names) {
    for (const char* name : names) mScene->AddGoal(new GPlantGoal(name, 0.5f, nullptr));
  }
  // The plants in the cells, in cell order; "" leaves a cell empty.
  void Store(std::initializer_list<const char*> names) {
    int i = 0;
    for (GInventoryCell* cell : Plants()->GetCells()) cell->DeleteItem();
    for (const char* name : names) {
      if (*name) Plants()->GetCell(i)->PutItem(OItemFactory::CreateForInventory(name, nullptr));
      ++i;
    }
  }
  // Each goal's target as "+" fading in, "-" fading out, "." still, with
  // its alpha after one step.
  str Fades() {
    str out;
    for (GPlantGoal* goal : mScene->GetGoals()) {
      bool fading = goal->IsFading();
      float before = goal->GetAlpha();
      goal->Step();
      out += !fading ? "." : goal->GetAlpha() >= before ? "+" : "-";
    }
    return out;
  }

  GGamePanel mPanel;
  std::unique_ptr<GPlantsScene> mScene;
};

TEST_F(PlantsTest, IconsFollowThePlantsInventoryOnceThePlanIsShown) {
  Goals({"mint", "sage", "fern"});
  Store({"mint", "", "fern"});
  mScene->SyncGoals();
  EXPECT_EQ(Fades(), "...") << "the plan not shown: no icon moves";

  mScene->SetNoteShown(true);
  mScene->SyncGoals();
  EXPECT_EQ(Fades(), "+.+");
  Fades();
  // Both full; the fern goes out, the sage comes in. A full icon of a plant
  // still there stays full.
  Store({"mint", "sage", ""});
  mScene->SyncGoals();
  EXPECT_EQ(Fades(), "++-");
  EXPECT_EQ(mScene->GetGoals()[0]->GetAlpha(), 1.0f);
}

TEST_F(PlantsTest, OfTwoGoalsOfOnePlantOnlyTheFirstFollowsIt) {
  Goals({"mint", "mint"});
  mScene->SetNoteShown(true);
  Store({"mint", "mint"});
  mScene->SyncGoals();
  EXPECT_EQ(mScene->FindGoal("mint"), mScene->GetGoals()[0]);
  EXPECT_EQ(mScene->FindGoal("fern"), nullptr);
  EXPECT_EQ(Fades(), "+.");
}

TEST_F(PlantsTest, DoneAsksForEveryPlantOfThePlanInSomeCell) {
  struct Case {
    std::initializer_list<const char*> stored;
    bool done;
  } cases[] = {
      {{"mint", "sage", "fern"}, true},
      {{"fern", "", "sage"}, false},
      {{"mint", "mint", "sage"}, false},
      {{}, false},
  };
  for (const Case& c : cases) {
    mScene.reset(new GPlantsScene());
    mScene->AttachPanel(&mPanel);
    Goals({"mint", "sage", "fern"});
    Store(c.stored);
    mScene->OnDoneClick();
    EXPECT_FALSE(mScene->IsDone()) << "only while the scene plays";
    mScene->SetState(GScene::kActive);
    mScene->OnDoneClick();
    EXPECT_EQ(mScene->IsDone(), c.done) << c.stored.size();
  }
}

TEST_F(PlantsTest, TheBuilderMakesTheGameWithItsPanel) {
  mScene.reset();
  TXmlNode state;
  ASSERT_TRUE(state.ParseString("<state type='plants'/>"));
  EXPECT_TRUE(CanBuildSceneState(&state, "herb_garden_plants"));
  GScene* scene = BuildScene(&state);
  ASSERT_NE(scene, nullptr);
  ASSERT_TRUE(scene->IsKindOf(GPlantsScene::ClassId()));
  EXPECT_TRUE(scene->UsesPanel());
  // As the builder does with the game's panel.
  scene->AttachPanel(&mPanel);
  mPanel.SetClient(scene);
  EXPECT_EQ(mPanel.GetKind(), GGamePanel::kKindPlants);
  EXPECT_EQ(mPanel.GetParent(), static_cast<GPlantsScene*>(scene)->GetPanelLayer());
  delete scene;
  EXPECT_EQ(mPanel.GetClient(), nullptr);
  EXPECT_EQ(mPanel.GetParent(), nullptr);
}

TEST_F(PlantsTest, AnEndWithoutAnExitSceneEntersThisSceneAgainOnce) {
  OGame* game = OGame::GetInstance();
  const str here = game->GetCurrentSceneId();
  ASSERT_EQ(here, "living_room");
  ASSERT_EQ(game->GetStateIndex(), 0);
  // The lamp lit without the game knowing: only entering again shows it.
  OFlagsRegistry::GetInstance()->SetValueSilently("lamp", "on");
  mScene->SetState(GScene::kActive);
  mScene->Finish(false);
  EXPECT_EQ(game->GetCurrentSceneId(), here);
  EXPECT_EQ(game->GetStateIndex(), 1) << "the scene entered again";
  EXPECT_EQ(mScene->GetState(), GScene::kFadeOutScene);
  // Ended: the buttons do nothing, and a second end does not run.
  OFlagsRegistry::GetInstance()->SetValueSilently("lamp", "off");
  mScene->Finish(true);
  mScene->OnClearClick();
  mScene->OnMinigameButtonClick();
  EXPECT_EQ(game->GetStateIndex(), 1);
  EXPECT_FALSE(mScene->IsNoteShown());
}

TEST_F(PlantsTest, AStepThatNeverFillsTheIconsIsReportedAndANegativeOneIsNone) {
  struct Case {
    const char* step;
    bool reported;
  } cases[] = {{"0.05", false}, {"0", true}, {"", true}, {"-0.5", true}};
  TXmlNode* state = OGame::GetInstance()->GetCurrentStateNode();
  ASSERT_NE(state, nullptr);
  size_t usual = 0;  // what starting the scene reports anyway
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    if (TXmlNode* old = state->GetChild("field")) state->OrphanChild(old);
    std::unique_ptr<TXmlNode> field(new TXmlNode());
    ASSERT_TRUE(field->ParseString(
        str::format("<field><goals step_alpha='%s'><goal name='mint'/></goals></field>", c.step)));
    state->AdoptChild(std::move(field));
    mScene.reset(new GPlantsScene());
    mScene->AttachPanel(&mPanel);
    const size_t reports = ReportCount();
    TWindowStyle style;
    mScene->Init(style);
    if (!c.reported)
      usual = ReportCount() - reports;
    else
      EXPECT_EQ(ReportCount() - reports, usual + 1) << "one line tells why the game will not end";
    ASSERT_EQ(mScene->GetGoals().size(), 1u);
    GPlantGoal* goal = mScene->GetGoals()[0];
    goal->FadeIn();
    goal->Step();
    EXPECT_EQ(goal->GetAlpha(), c.reported ? 0.0f : 0.05f) << "no step below 0";
  }
}

}  // namespace
