// The panel's book button (hover on the mask's red, frames, marks and
// their effects) and the page ticks that stay only when their task is done
// or their items are held.

#include "PanelTestUtil.h"
#include "rules/questbook/GQuestBookControl.h"
#include "rules/questbook/GQuestBookItemTick.h"
#include "rules/questbook/GQuestBookTaskTick.h"
#include "game/OGameConfig.h"
#include "sdk/TReport.h"
#include "sdk/TScript.h"
#include "tools/panel/IPanelClient.h"
#include "visual/TFxSprite.h"

namespace {

// A scene as the panel sees it, with lists for effects or without.
class EffectsClient : public IPanelClient {
 public:
  explicit EffectsClient(bool lists) : mLists(lists), mSprite(TSprite::Create(0)) {}
  bool IsMagicEnabled() override { return true; }
  TSpriteRef GetEffectsSpriteB() override { return mLists ? mSprite : TSpriteRef(); }
  std::vector<TFxSpriteRef>* GetEffectsList() override { return mLists ? &particles : nullptr; }
  std::vector<GBaseInterpolator*>* GetEffectsHost() override { return mLists ? &interpolators : nullptr; }
  std::vector<TFxSpriteRef> particles;
  std::vector<GBaseInterpolator*> interpolators;

 private:
  bool mLists;
  TSpriteRef mSprite;
};

class QuestBookControlTest : public BuiltPanelTest {
 protected:
  void SetUp() override {
    BuiltPanelTest::SetUp();
    mControl = mPanel->GetQuestBookControl();
    ASSERT_TRUE(mControl);
  }
  str Look() { return mControl->GetAnimation()->GetChild("main")->GetState().ToStr(); }

  GQuestBookControl* mControl = nullptr;
};

TEST_F(QuestBookControlTest, HoversOnlyOnRedFrom120WhileThePanelIsFree) {
  mControl->SetState(GQuestBookControl::kUnlocked);
  struct Case {
    int x, y;  // the mask's two pixels lie at (100, 200) and (101, 200)
    bool locked;
    bool hover;
  } cases[] = {
      {100, 200, false, false},  // red 119
      {101, 200, false, true},   // red 120
      {102, 200, false, false},  // beside the mask
      {101, 199, false, false}, {101, 200, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%d,%d locked=%d", c.x, c.y, int(c.locked)));
    GMousePointer::PeekManager()->MoveTo(c.x, c.y);
    if (c.locked) mPanel->Lock();
    mControl->Tick();
    EXPECT_EQ(mControl->IsHovered(), c.hover);
    if (c.locked) mPanel->Unlock();
  }
}

TEST_F(QuestBookControlTest, AMaskPlaceBeyondTheContentRangeIsReported) {
  OGameConfig::GetInstance()->GetGameScreenChild("panel")->GetChild("book_mask")->SetAttribute("x", "99999999999");
  size_t before = ReportCount();
  Build();
  EXPECT_EQ(ReportCount(), before + 1);
}

TEST_F(QuestBookControlTest, OpensAFrameEveryFourthTickAndClosesTheSameWay) {
  EXPECT_FALSE(mControl->GetAnimation()->visible) << "hidden until unlocked";
  mControl->SetState(GQuestBookControl::kUnlocked);
  EXPECT_TRUE(mControl->GetAnimation()->visible);
  GMousePointer::PeekManager()->MoveTo(101, 200);
  std::vector<int> changes;
  for (int t = 1; t <= 48; ++t) {
    int before = mControl->GetFrame();
    mControl->Tick();
    if (mControl->GetFrame() != before) changes.push_back(t);
  }
  EXPECT_EQ(changes, (std::vector<int>{4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44}));
  EXPECT_EQ(Look(), "11");
  GMousePointer::PeekManager()->MoveTo(300, 300);
  for (int t = 0; t < 44; ++t) mControl->Tick();
  EXPECT_EQ(mControl->GetFrame(), 0);
  EXPECT_EQ(Look(), "0");
}

TEST_F(QuestBookControlTest, AMissionMarkReplacesATaskMarkButNotTheOtherWayRound) {
  struct Step {
    const char* what;
    int state;
    const char* look;
  } steps[] = {
      {"task", GQuestBookControl::kLocked, nullptr},  // hidden: no mark
      {"mission", GQuestBookControl::kLocked, nullptr},
      {"unlock", GQuestBookControl::kUnlocked, "0"},
      {"task", GQuestBookControl::kTaskComplete, "stTaskComplete"},
      {"mission", GQuestBookControl::kMissionComplete, "stMissionComplete"},
      {"task", GQuestBookControl::kMissionComplete, "stMissionComplete"},
      {"end", GQuestBookControl::kUnlocked, "0"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    str what = s.what;
    if (what == "task") mControl->ShowTaskComplete();
    if (what == "mission") mControl->ShowMissionComplete();
    if (what == "unlock") mControl->SetState(GQuestBookControl::kUnlocked);
    if (what == "end") mControl->OnStateEnd(mControl->GetAnimation()->GetChild("main"), TState());
    EXPECT_EQ(mControl->GetState(), s.state);
    if (s.look) {
      EXPECT_EQ(Look(), s.look);
    }
  }
}

TEST_F(QuestBookControlTest, MarksPlayTheirEffectsOnlyInASceneThatKeepsEffects) {
  mControl->SetState(GQuestBookControl::kUnlocked);
  mControl->ShowTaskComplete();  // no client: between scenes
  EffectsClient bare(false);
  mPanel->SetClient(&bare);
  mControl->ShowMissionComplete();
  EXPECT_EQ(mControl->GetState(), GQuestBookControl::kMissionComplete) << "the mark shows all the same";
  EffectsClient scene(true);
  mPanel->SetClient(&scene);
  mControl->SetState(GQuestBookControl::kUnlocked);
  mControl->ShowTaskComplete();
  EXPECT_EQ(scene.particles.size(), 1u);
  mControl->ShowMissionComplete();
  EXPECT_EQ(scene.particles.size(), 3u);
  mPanel->SetClient(nullptr);
}

// A page built by its script, the globals set first; the names of the
// ticks that stayed.
str Page(const str& task, const str& mission, int count) {
  TScript* script = TWindowManager::GetInstance()->GetScript();
  script->DoLuaString(str::format("tick_task = '%s'; tick_mission = '%s'; tick_count = %d", task.c_str(),
                                  mission.c_str(), count),
                      0);
  std::unique_ptr<TWindow> page(LoadWindowFromScript("scripts/ticks.lua", "page"));
  TWindowManager::GetInstance()->DeletePending();
  str stayed;
  for (TWindow* w : page ? page->GetChildren() : std::vector<TWindow*>())
    stayed += (stayed.empty() ? "" : " ") + w->GetName();
  return stayed;
}

TEST_F(QuestBookControlTest, ATaskTickStaysOnlyForADoneTask) {
  EXPECT_EQ(Page("fetch", "", 0), "");
  EXPECT_EQ(Page("nothing", "", 0), "");
  OFlagsRegistry::GetInstance()->SetValue("fetched", "true");
  EXPECT_EQ(Page("fetch", "", 0), "task_tick");
}

TEST_F(QuestBookControlTest, AnItemTickChecksTheItemsItsStyleCountsWhileTheMissionIsOpen) {
  // The page's tick lists "item" rope, "item1" to "item4" key, coin, apple,
  // shears.
  struct Case {
    const char* held;
    int count;
    bool stays;
  } cases[] = {
      {"rope", 0, true},  // no count: "item" only
      {"key", 0, false},  {"key", 3, true},
      {"apple", 3, true}, {"shears", 3, false},  // "item4" is past the count
      {"rope", 3, false}, {"shears", 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%s, %d items", c.held, c.count));
    GMousePointer::PeekManager()->DeleteHeldItem();
    Give(c.held);
    EXPECT_EQ(Page("", "errand", c.count) == "item_tick", c.stays);
  }
  // Nothing held, nothing to tick; a done mission never shows its tick.
  GMousePointer::PeekManager()->DeleteHeldItem();
  EXPECT_EQ(Page("", "errand", 0), "");
  OFlagsRegistry::GetInstance()->SetValue("fetched", "true");
  OFlagsRegistry::GetInstance()->SetValue("returned", "true");
  Give("rope");
  EXPECT_EQ(Page("", "errand", 0), "");
}

}  // namespace
