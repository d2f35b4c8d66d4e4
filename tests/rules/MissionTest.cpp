// Missions, tasks and conditions over game events, and the missions
// manager's dispatch, pages, save and load.

#include <memory>

#include "game/GGameWnd.h"
#include "game/GMousePointer.h"
#include "rules/MissionsTestUtil.h"
#include "rules/events/OGameCondition.h"
#include "rules/events/OMissionResults.h"
#include "rules/events/OMissionTask.h"

namespace {

struct MatchCase {
  const char* pattern;
  const char* event;
  bool matches;
};

}  // namespace

TEST(GameCondition, AnEventMatchesAPatternThatCarriesEachOfItsAttributes) {
  const MatchCase cases[] = {
      {R"(<c type="item_get" item_id="lamp"/>)", R"(<event type="item_get" item_id="lamp"/>)", true},
      {R"(<c type="item_get" item_id="lamp"/>)", R"(<event type="item_get" item_id="key"/>)", false},
      {R"(<c type="item_get" item_id="*"/>)", R"(<event type="item_get" item_id="key"/>)", true},
      {R"(<c type="*" item_id="*"/>)", R"(<event type="note_read" item_id="key"/>)", true},
      // A pattern lacking the event's identifying attribute never matches.
      {R"(<c type="*" item_id="*"/>)", R"(<event type="world_enter" world_id="home"/>)", false},
      {R"(<c type="item_get"/>)", R"(<event type="item_get" item_id="lamp"/>)", false},
      // Attributes events never carry take no part.
      {R"(<c type="item_get" item_id="lamp" predecessor_task="t" note="x"/>)",
       R"(<event type="item_get" item_id="lamp"/>)", true},
      {R"(<c type="flag" flag_name="door" flag_value="*"/>)",
       R"(<event type="flag" flag_name="door" flag_value="open"/>)", true},
      {R"(<c type="flag" flag_name="door" flag_value="shut"/>)",
       R"(<event type="flag" flag_name="door" flag_value="open"/>)", false},
      {R"(<c type="flag" flag_name="door" flag_value="*"/>)",
       R"(<event type="flag" flag_name="window" flag_value="open"/>)", false},
      // An event without attributes matches anything.
      {R"(<c type="item_get" item_id="lamp"/>)", R"(<event/>)", true},
  };
  for (const MatchCase& c : cases) {
    TXmlNode pattern, event;
    ASSERT_TRUE(pattern.ParseString(c.pattern));
    ASSERT_TRUE(event.ParseString(c.event));
    EXPECT_EQ(OGameCondition::MatchesElement(&pattern, &event), c.matches) << c.pattern << " / " << c.event;
  }
}

TEST(GameCondition, AGroupIsFulfilledByAnyOfItsChildrenAndOnlyOnce) {
  TXmlNode group, lamp, key, other, empty;
  ASSERT_TRUE(group.ParseString(R"(<group predecessor_task="">
      <c type="item_get" item_id="lamp"/>
      <group type="item_get" item_id="key"/>
    </group>)"));
  ASSERT_TRUE(lamp.ParseString(R"(<event type="item_get" item_id="lamp"/>)"));
  ASSERT_TRUE(key.ParseString(R"(<event type="item_get" item_id="key"/>)"));
  ASSERT_TRUE(other.ParseString(R"(<event type="item_get" item_id="rope"/>)"));
  ASSERT_TRUE(empty.ParseString("<group/>"));

  OGameCondition condition(&group);
  EXPECT_FALSE(condition.Match(&other));
  // A group inside a group is a plain pattern.
  EXPECT_TRUE(condition.Match(&key));
  EXPECT_TRUE(condition.IsCompleted());
  EXPECT_FALSE(condition.Match(&lamp));

  OGameCondition childless(&empty);
  EXPECT_FALSE(childless.Match(&lamp));
}

class MissionTest : public MissionsTest {};

TEST_F(MissionTest, EveryKindOfEventReachesTheConditionNamingIt) {
  typedef void (OMissionsManager::*Sender)(const str&);
  const Sender senders[] = {&OMissionsManager::OnPotionCreate,
                            &OMissionsManager::OnItemCreate,
                            &OMissionsManager::OnItemGet,
                            &OMissionsManager::OnMagicButtonUnlock,
                            &OMissionsManager::OnNoteRead,
                            &OMissionsManager::OnPotionDrink,
                            nullptr /* flag */,
                            &OMissionsManager::OnPotionReady,
                            &OMissionsManager::OnWorldEnter,
                            &OMissionsManager::OnSceneEnter,
                            &OMissionsManager::OnItemAction,
                            &OMissionsManager::OnItemSceneReturn,
                            &OMissionsManager::OnItemInventoryPush};
  OMission* mission = Mission("every_kind");
  ASSERT_TRUE(mission);
  ASSERT_EQ(mission->GetChildren().size(), 13u);
  for (int i = 0; i < 13; ++i) {
    str id = str::format("x%d", i + 1);
    // Named once: GCC's -O1 under the sanitizers takes the indexed member
    // pointer for an uninitialised one.
    Sender send = senders[i];
    if (send)
      (Missions()->*send)(id);
    else
      Missions()->OnFlag(id, "on");
    EXPECT_TRUE(mission->GetChildren()[i]->IsCompleted()) << id;
    if (i + 1 < 13) {
      EXPECT_FALSE(mission->GetChildren()[i + 1]->IsCompleted()) << id;
      EXPECT_FALSE(mission->IsCompleted()) << id;
    }
  }
  EXPECT_TRUE(mission->IsCompleted());
}

TEST_F(MissionTest, TasksAndMissionsCompleteOnTheirLastConditionAndRunTheirResults) {
  OMission* cellar = Mission("cellar");
  Missions()->OnItemGet("lamp");
  EXPECT_TRUE(cellar->FindChild("take_lamp")->IsCompleted());
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("lamp_taken"), "yes");
  EXPECT_EQ(Missions()->GetPageState(4), OMissionsManager::kPageUnlocked);
  EXPECT_FALSE(cellar->IsCompleted());
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("cellar_done"), "null");

  // The second task's group takes either event.
  Missions()->OnNoteRead("key");
  EXPECT_TRUE(cellar->IsCompleted());
  EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("cellar_done"), "1");

  // Complete for good: the same events run nothing again.
  Missions()->OnItemGet("lamp");
  Missions()->OnItemAction("key");
  EXPECT_EQ(Count("flag lamp_taken=yes"), 1u);
  EXPECT_EQ(Count("flag cellar_done=1"), 1u);
}

TEST_F(MissionTest, AResultsVariableCompletesTheNextMissionInsideTheSameDispatch) {
  // The garden waits for the cellar; before that its condition's event is
  // ignored and not remembered.
  OFlagsRegistry::GetInstance()->SetValue("cellar_done", "early");
  EXPECT_FALSE(Mission("garden")->IsCompleted());

  Missions()->OnItemGet("lamp");
  size_t before = Events().size();
  Missions()->OnItemAction("key");
  EXPECT_TRUE(Mission("cellar")->IsCompleted());
  EXPECT_TRUE(Mission("garden")->IsCompleted());
  EXPECT_EQ(std::vector<str>(Events().begin() + before, Events().end()),
            (std::vector<str>{"item_action key", "flag cellar_done=1", "flag garden_done=1"}));
}

TEST_F(MissionTest, ANestedEventIsDispatchedCompletelyBeforeTheNextMissionSeesTheOuterOne) {
  Missions()->OnItemGet("bell");
  EXPECT_EQ(std::vector<str>(Events().end() - 4, Events().end()),
            (std::vector<str>{"item_get bell", "flag bell_a=1", "flag bell_w=1", "flag bell_b=1"}));
  EXPECT_TRUE(Mission("bell_first")->IsCompleted());
  EXPECT_TRUE(Mission("bell_watch")->IsCompleted());
  EXPECT_TRUE(Mission("bell_second")->IsCompleted());
}

TEST_F(MissionTest, AMissionCompletedInsideItsOwnTasksDispatchRunsItsResultsOnce) {
  std::unique_ptr<GGameWnd> window(new GGameWnd());  // for the autosave
  ASSERT_TRUE(OGame::GetInstance()->SetCurrentScene("hall"));
  Missions()->OnItemGet("baton");
  EXPECT_TRUE(Mission("relay")->IsCompleted());
  EXPECT_EQ(Count("flag relay_done=1"), 1u);
  EXPECT_EQ(OHintsManager::GetInstance()->GetQueue().size(), 1u);
  EXPECT_TRUE(window->IsAutosaveRequested());
  EXPECT_EQ(OPopupQueue::GetInstance()->GetPending().size(), 1u);
  window.reset();
  GMousePointer::DestroyInstance();
}

TEST_F(MissionTest, AConditionWaitsForItsPredecessorTask) {
  OMissionTask* coin = Missions()->FindTask("take_coin");
  ASSERT_TRUE(coin);
  Missions()->OnItemGet("coin");
  EXPECT_FALSE(coin->IsCompleted());
  Missions()->OnItemGet("lamp");
  Missions()->OnItemGet("coin");
  EXPECT_TRUE(coin->IsCompleted());
  EXPECT_TRUE(Mission("waiting")->IsCompleted());
}

TEST_F(MissionTest, PredecessorsThatNameNothingAreReportedOnceAndDoNotHold) {
  OMissionsManager::DestroyInstance();
  size_t reports = ReportCount();
  Missions();
  // "stray" twice (mission, task), "empty" once.
  EXPECT_EQ(ReportCount() - reports, 3u);
  Missions()->OnItemGet("feather");
  EXPECT_TRUE(Mission("stray")->IsCompleted());
  EXPECT_EQ(ReportCount() - reports, 3u);
}

TEST_F(MissionTest, TwoConditionsFulfilledByOneEventCompleteTheTaskOnce) {
  Missions()->OnSceneEnter("hall");
  EXPECT_TRUE(Missions()->FindTask("two_at_once")->IsCompleted());
  EXPECT_EQ(Count("flag double=1"), 1u);
}

TEST_F(MissionTest, AMissionWithoutTasksNeverCompletes) {
  OMission* empty = Mission("empty");
  ASSERT_TRUE(empty);
  Missions()->OnItemGet("lamp");
  Missions()->OnSceneEnter("hall");
  EXPECT_FALSE(empty->IsCompleted());
}

TEST_F(MissionTest, PagesOfANewGameAndBeyondTheList) {
  Missions()->Reset();
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{2, 1, 1}));
  EXPECT_EQ(Missions()->GetPageState(7), 0);
  Missions()->SetPageState(5, 1);
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{2, 1, 1, 0, 0, 1}));
  EXPECT_EQ(Missions()->GetPageState(-1), 0);

  // A page number far beyond any book (from a damaged save or a result) is
  // refused rather than growing the list to it.
  size_t reports = ReportCount();
  Missions()->SetPageState(2000000000, 1);
  std::unique_ptr<TXmlNode> save = Parse(
      R"(<save><missions_manager><quest_pages><page state="1"/></quest_pages></missions_manager></save>)");
  Missions()->Load(save.get());
  std::unique_ptr<TXmlNode> result = Parse(R"(<r type="unlock_page" page_ind="99999999"/>)");
  OMissionResults::Execute(result.get());
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{1}));
  EXPECT_EQ(ReportCount() - reports, 2u);

  // States other than the three are refused like the pages; a save full of
  // refused pages says so once.
  Missions()->SetPageState(0, 7);
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{1}));
  EXPECT_EQ(ReportCount() - reports, 3u);
  str pages;
  for (const char* state : {"2", "7", "-1", "1"}) pages += str::format("<page state=\"%s\"/>", state);
  for (int i = 0; i < 20000; ++i) pages += "<page state=\"1\"/>";
  save = Parse("<save><missions_manager><quest_pages>" + pages + "</quest_pages></missions_manager></save>");
  Missions()->Load(save.get());
  EXPECT_EQ(ReportCount() - reports, 4u);
  ASSERT_EQ(Missions()->GetPageStates().size(), size_t(OMissionsManager::kMaxPages));
  EXPECT_EQ(
      std::vector<int32_t>(Missions()->GetPageStates().begin(), Missions()->GetPageStates().begin() + 5),
      (std::vector<int32_t>{2, 0, 0, 1, 1}));
}

TEST_F(MissionTest, ANewGameWritesThreePagesAndOpenMissions) {
  Missions()->OnItemGet("lamp");
  Mission("cellar")->SetShown(true);
  Missions()->Reset();
  TXmlNode save("save");
  Missions()->Save(&save);
  TXmlNode* section = save.GetChild("missions_manager");
  ASSERT_TRUE(section);
  EXPECT_EQ(section->GetChild("quest_pages")->GetChildCount(), 3u);
  TXmlNode* first = section->GetChild("missions")->GetChildAt(0);
  EXPECT_EQ(first->GetAttribute("completed"), "false");
  EXPECT_EQ(first->GetAttribute("shown"), "false");
  TXmlNode* lampTask = first->GetChild("tasks")->GetChildAt(0);
  EXPECT_EQ(lampTask->GetAttribute("completed"), "false");
  EXPECT_EQ(lampTask->GetChild("conditions")->GetChildAt(0)->GetAttribute("completed"), "false");
}

TEST_F(MissionTest, ProgressAndPagesSurviveSaveAndLoad) {
  Missions()->Reset();
  Missions()->OnItemGet("lamp");
  Missions()->OnItemAction("key");
  Missions()->OnSceneEnter("nowhere");  // one of the two conditions of "double"
  Mission("garden")->SetShown(true);
  Missions()->SetPageState(9, 2);
  TXmlNode save("save");
  Missions()->Save(&save);

  OMissionsManager::DestroyInstance();
  Missions()->Load(&save);
  EXPECT_TRUE(Mission("cellar")->IsCompleted());
  EXPECT_TRUE(Mission("garden")->IsCompleted());
  EXPECT_TRUE(Mission("garden")->IsShown());
  EXPECT_FALSE(Mission("cellar")->IsShown());
  EXPECT_FALSE(Mission("bell_first")->IsCompleted());
  OMissionTask* both = Missions()->FindTask("two_at_once");
  EXPECT_FALSE(both->IsCompleted());
  EXPECT_TRUE(both->GetChildren()[0]->IsCompleted());
  EXPECT_FALSE(both->GetChildren()[1]->IsCompleted());
  EXPECT_EQ(Missions()->GetPageState(4), 1);
  EXPECT_EQ(Missions()->GetPageState(9), 2);
  EXPECT_EQ(Missions()->GetPageStates().size(), 10u);
  // A load runs no results.
  EXPECT_EQ(Count("flag cellar_done=1"), 0u);
}

TEST_F(MissionTest, DamagedSectionsLoadWhatTheyCoverAndLeaveTheRestReset) {
  struct Case {
    const char* name;
    const char* save;
  };
  const Case cases[] = {
      {"no section", "<save/>"},
      {"empty section", "<save><missions_manager/></save>"},
      {"one mission, fewer tasks than configured",
       R"(<save><missions_manager><missions><mission completed="true" shown="true">
            <tasks><item completed="true"/></tasks></mission></missions></missions_manager></save>)"},
      {"more missions and items than configured, strangers between them",
       R"(<save><missions_manager><quest_pages><page state="2"/><junk/><page/></quest_pages>
            <missions><mission completed="true"><tasks><item completed="true"><conditions>
              <item completed="true"/><item completed="true"/><item completed="true"/></conditions></item>
              <item/><item/><item/></tasks></mission>
            <junk completed="true"/>
            <mission/><mission/><mission/><mission/><mission/><mission/><mission/><mission/><mission/>
            <mission/><mission/><mission/><mission/></missions></missions_manager></save>)"},
      {"children without their lists",
       R"(<save><missions_manager><missions><mission completed="maybe"/></missions></missions_manager></save>)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Progress made before the load must not leak through it.
    Missions()->OnItemGet("bell");
    Mission("every_kind")->SetShown(true);
    std::unique_ptr<TXmlNode> save = Parse(c.save);
    Missions()->Load(save.get());
    for (OMission* mission : Missions()->GetMissions()) {
      if (mission->GetName() == "cellar") continue;
      EXPECT_FALSE(mission->IsCompleted()) << mission->GetName();
      EXPECT_FALSE(mission->IsShown()) << mission->GetName();
    }
    EXPECT_FALSE(Missions()->FindTask("bell_a")->IsCompleted());
  }
  // The last but one case: the first mission and its first task complete,
  // its second task as reset; pages from the two `page` elements.
  std::unique_ptr<TXmlNode> save = Parse(cases[3].save);
  Missions()->Load(save.get());
  EXPECT_TRUE(Mission("cellar")->IsCompleted());
  EXPECT_TRUE(Missions()->FindTask("take_lamp")->IsCompleted());
  EXPECT_FALSE(Missions()->FindTask("open_door")->IsCompleted());
  EXPECT_EQ(Missions()->GetPageStates(), (std::vector<int32_t>{2, 0}));
}
