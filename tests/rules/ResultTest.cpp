// Mission results: each kind, run through the one dispatcher, and the
// autosave's refusals.

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "game/OGame.h"
#include "rules/MissionsTestUtil.h"
#include "rules/events/OMissionResults.h"
#include "rules/hints/IHint.h"
#include "rules/hints/OSimpleHint.h"

namespace {

class ResultTest : public MissionsTest {
 protected:
  static void Run(const str& xml) {
    std::unique_ptr<TXmlNode> result = Parse(xml);
    OMissionResults::Execute(result.get());
  }
  static int Magic(const str& id) { return OMagicRegistry::GetInstance()->GetValue(id); }
};

}  // namespace

TEST_F(ResultTest, UnlocksPagesMagicsAndWorlds) {
  Missions()->Reset();
  Run(R"(<r type="unlock_page" page_ind="0"/>)");  // revealed goes back to unlocked
  Run(R"(<r type="unlock_page" page_ind="4"/>)");
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{1, 1, 1, 0, 1}));

  Run(R"(<r type="unlock_magic" magic_id="fire"/>)");
  Run(R"(<r type="unlock_world" world_id="home"/>)");
  Run(R"(<r type="unlock_world" world_id="greece"/>)");
  Run(R"(<r type="unlock_world" world_id="vethra"/>)");
  Run(R"(<r type="lock_world" world_id="vethra"/>)");
  EXPECT_EQ(Magic("fire"), 1);
  EXPECT_EQ(Magic("home"), 2);
  EXPECT_EQ(Magic("greece"), 1);
  EXPECT_EQ(Magic("vethra"), 0);
  Run(R"(<r type="lock_world" world_id="home"/>)");
  EXPECT_EQ(Magic("home"), 0);
}

TEST_F(ResultTest, ResultsRunInDocumentOrderEachEventDispatchedBeforeTheNext) {
  size_t before = Events().size();
  Missions()->OnItemGet("bead");
  EXPECT_EQ(std::vector<str>(Events().begin() + before, Events().end()),
            (std::vector<str>{"item_get bead", "flag order=first", "flag order=second"}));
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("order"), "second");
  EXPECT_EQ(Missions()->GetPageState(1), OMissionsManager::kPageUnlocked);
}

TEST_F(ResultTest, AnUnknownTypeOrNoTypeDoesNothing) {
  size_t events = Events().size();
  Run(R"(<r type="Flag" flag_name="a" flag_value="b"/>)");
  Run(R"(<r flag_name="a" flag_value="b"/>)");
  OMissionResults::Execute(nullptr);
  EXPECT_EQ(Events().size(), events);
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("a"), "null");
}

TEST_F(ResultTest, VariablesAreSetWithTheirEventExceptTheActiveRecipe) {
  size_t events = Events().size();
  Run(R"(<r type="set_active_recipe" recipe_name="fire_potion"/>)");
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("active_recipe_name"), "fire_potion");
  EXPECT_EQ(Events().size(), events);

  Run(R"(<r type="flag" flag_name="door" flag_value="open"/>)");
  Run(R"(<r type="unlock_panel_book"/>)");
  EXPECT_EQ(std::vector<str>(Events().begin() + events, Events().end()),
            (std::vector<str>{"flag door=open", "flag quest_book_control_unlocked=true"}));
}

TEST_F(ResultTest, AHintResultQueuesAHintTheQueueOwns) {
  Run(R"(<r type="hint" text="hint_cellar" after_close_action="after" hint_type="big"/>)");
  Run(R"(<r type="hint" text="hint_small"/>)");
  const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
  ASSERT_EQ(queue.size(), 2u);
  OSimpleHint* big = dynamic_cast<OSimpleHint*>(queue[0]);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->GetTextKey(), "hint_cellar");
  EXPECT_EQ(big->GetAfterCloseAction(), "after");
  EXPECT_EQ(big->GetKind(), IHint::kBigHint);
  EXPECT_TRUE(big->IsDeleteAfterShowing());
  EXPECT_EQ(queue[1]->GetKind(), IHint::kSmallHint);
}

TEST_F(ResultTest, TheScrollQuestTimerStartsAndStopsOnlyOnItsTwoWords) {
  ITimerController* scroll = OTimersManager::GetInstance()->GetController("greece_scroll");
  ASSERT_TRUE(scroll);
  // Some time taken off, so that the start's restart shows.
  scroll->SetLeftTime(1);
  Run(R"(<r type="greece_catapult_scroll_quest" task_timer_action="begin"/>)");
  EXPECT_EQ(scroll->GetState(), ITimerController::kStopped);
  EXPECT_EQ(scroll->GetLeftTime(), 1);

  Run(R"(<r type="greece_catapult_scroll_quest" task_timer_action="start"/>)");
  EXPECT_EQ(scroll->GetState(), ITimerController::kRunning);
  EXPECT_EQ(scroll->GetClock(), TPlatform::GetInstance()->Timer());
  EXPECT_EQ(scroll->GetLeftTime(), 20000) << "the guide's full time";

  Run(R"(<r type="greece_catapult_scroll_quest" task_timer_action="complete"/>)");
  EXPECT_EQ(scroll->GetState(), ITimerController::kStopped);
}

TEST_F(ResultTest, AnAutosaveIsRefusedWhileAHazardIsCloseOrTheSceneIsLocked) {
  struct Case {
    const char* name;
    const char* timer;  // null: all stopped
    int state;
    int leftSeconds;
    const char* scene;
    bool saved;
  };
  const Case cases[] = {
      {"all safe", nullptr, 0, 0, "hall", true},
      {"poison running, 40 of 60 s", "poison", ITimerController::kRunning, 40, "hall", false},
      {"poison stopped, 5 s left", "poison", ITimerController::kStopped, 5, "hall", true},
      {"poison running, 60 of 60 s", "poison", ITimerController::kRunning, 60, "hall", true},
      {"vethra air running, 29 of 30 s", "vethra", ITimerController::kRunning, 29, "hall", false},
      {"under water running, 19 of 20 s", "under_water", ITimerController::kRunning, 19, "hall", false},
      {"scroll quest running, 9 of 10 s", "greece_scroll", ITimerController::kRunning, 9, "hall", false},
      {"a locked scene", nullptr, 0, 0, "cave", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The game window of the running game; it takes the rules' objects
    // with it.
    std::unique_ptr<GGameWnd> window(new GGameWnd());
    if (c.timer) {
      ITimerController* timer = OTimersManager::GetInstance()->GetController(c.timer);
      timer->SetState(c.state);
      timer->SetLeftTime(c.leftSeconds * 1000);
    }
    ASSERT_TRUE(OGame::GetInstance()->SetCurrentScene(c.scene));
    Run(R"(<r type="autosave"/>)");
    EXPECT_EQ(window->IsAutosaveRequested(), c.saved);
    // The message is queued when the save is asked for, not when written.
    EXPECT_EQ(OPopupQueue::GetInstance()->GetPending().size(), c.saved ? 1u : 0u);
  }
  GMousePointer::DestroyInstance();
}
