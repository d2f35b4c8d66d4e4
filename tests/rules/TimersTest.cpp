// The timer controllers and their manager on tests/fixtures/rules/timers:
// the windows in which hints and indications come due, the kinds' starts,
// cures and time-outs, and the saved section.

#include <gtest/gtest.h>

#include <memory>

#include "TimersTestUtil.h"
#include "rules/events/OMissionsManager.h"
#include "rules/hints/IHint.h"
#include "rules/hints/OHintsManager.h"
#include "rules/timers/OGreeceScrollTimerController.h"
#include "rules/timers/OIndicatorsManager.h"
#include "rules/timers/OInvisibilityOverlay.h"
#include "rules/timers/OInvisibilityTimerController.h"
#include "rules/timers/OPoisonTimerController.h"
#include "rules/timers/OSleepingZoneTimerController.h"
#include "rules/timers/OTimerControllerHintInfo.h"
#include "rules/timers/OTimerIndicator.h"
#include "rules/timers/OTimersManager.h"
#include "rules/timers/OVethraTimerController.h"
#include "sdk/TPlatform.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"

namespace {

class TimersTest : public TimersFixture {
 protected:
  // One update that counts `ms` milliseconds.
  static void Elapse(ITimerController* timer, uint32_t ms) {
    timer->SetClock(ITimerController::Now() - ms);
    timer->Update(false);
  }
  static str Flag(const str& name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  static const std::vector<IHint*>& Queue() { return OHintsManager::GetInstance()->GetQueue(); }

  // A change of scene and what it leaves of one controller.
  struct SceneChange {
    const char* from;
    const char* to;
    int32_t before;
    int state;
    int32_t after;
  };
  static void ExpectSceneChanges(ITimerController* timer, const std::vector<SceneChange>& changes) {
    for (const SceneChange& c : changes) {
      timer->SetLeftTime(c.before);
      Timers()->OnSceneChange(c.from, c.to);
      EXPECT_EQ(timer->GetState(), c.state) << c.from << " to " << c.to;
      EXPECT_EQ(timer->GetLeftTime(), c.after) << c.from << " to " << c.to;
    }
  }
};

// A controller of its own guide element that records its time-outs and
// indications.
class ProbeController : public ITimerController {
 public:
  explicit ProbeController(const str& guide) {
    EXPECT_TRUE(mGuide.ParseString(guide));
    Init();
  }
  void OnTimeOut() override { ++timeOuts; }
  void OnIndication(const OTimerIndication& indication) override { indications.push_back(indication.time); }
  TXmlNode* GetGuideNode() const override { return const_cast<TXmlNode*>(&mGuide); }
  int timeOuts = 0;
  std::vector<int32_t> indications;

 private:
  TXmlNode mGuide;
};

TEST_F(TimersTest, HintsAndIndicationsComeDueInTheirHalfOpenWindows) {
  // Hints are due when their time lies in [new, old), indications in
  // (new, old]; the first in guide order wins, the others of the period
  // are passed over.
  const char* guide =
      "<probe><hints><a time='10' text='ten'/><b time='0' text='zero'/><c time='20' text='twenty'/></hints>"
      "<indications><a time='20'/><b time='10'/><c time='0'/></indications></probe>";
  struct Case {
    const char* name;
    int32_t left;
    uint32_t elapsed;
    const char* hint;    // "" for none
    int32_t indication;  // -1 for none
    int32_t leftAfter;
    int timeOuts;
  } cases[] = {
      {"nothing counted", 20000, 0, "", -1, 20000, 0},
      {"the full time: an indication, never the hint", 20000, 100, "", 20000, 19900, 0},
      {"ends on the hint's time", 10100, 100, "ten", -1, 10000, 0},
      {"starts on the indication's time", 10000, 100, "", 10000, 9900, 0},
      {"ends on exactly 0: no time-out yet", 100, 100, "zero", -1, 0, 0},
      {"from 0: the time-out and the indication at 0", 0, 16, "", 0, 0, 1},
      {"far past 0 in one period", 50, 5000, "zero", 0, 0, 1},
      {"two hints in one period: the first only", 20000, 20000, "ten", 20000, 0, 0},
  };
  OTimerIndicator indicator(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OHintsManager::DestroyInstance();
    ProbeController probe(guide);
    probe.SetIndicator(&indicator);
    probe.SetState(ITimerController::kRunning);
    probe.SetLeftTime(c.left);
    Elapse(&probe, c.elapsed);
    EXPECT_EQ(probe.GetLeftTime(), c.leftAfter);
    EXPECT_EQ(probe.timeOuts, c.timeOuts);
    if (*c.hint) {
      ASSERT_EQ(Queue().size(), 1u);
      EXPECT_EQ(Queue()[0]->GetText(), c.hint);
      EXPECT_FALSE(Queue()[0]->IsDeleteAfterShowing()) << "the controller keeps its hints";
    } else {
      EXPECT_TRUE(Queue().empty());
    }
    EXPECT_EQ(probe.indications,
              c.indication < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.indication});
    OHintsManager::DestroyInstance();
  }
}

TEST_F(TimersTest, PausedStoppedAndQuestBookUpdatesCountNothing) {
  ProbeController probe("<probe/>");
  probe.SetLeftTime(5000);
  Elapse(&probe, 1000);
  EXPECT_EQ(probe.GetLeftTime(), 5000) << "stopped";
  probe.SetState(ITimerController::kRunning);
  probe.SetClock(ITimerController::Now() - 1000);
  probe.Update(true);
  EXPECT_EQ(probe.GetLeftTime(), 5000);
  probe.Update(false);
  EXPECT_EQ(probe.GetLeftTime(), 5000) << "the paused update moved the clock on";

  // The manager holds every controller in the quest book.
  OGame::GetInstance()->SetCurrentScene("hall");
  ITimerController* poison = Timers()->GetController(OTimersManager::kPoison);
  poison->StartWithTime(10);
  poison->SetClock(ITimerController::Now() - 1000);
  ASSERT_TRUE(OGame::GetInstance()->SetCurrentScene("basement_quest_book"));
  Timers()->Update(false);
  EXPECT_EQ(poison->GetLeftTime(), 10000);
  // Asleep, only the sleeping hints count.
  ASSERT_TRUE(OGame::GetInstance()->SetCurrentScene("hall"));
  ITimerController* dreams = Timers()->GetController(OTimersManager::kSleepingHints);
  dreams->SetState(ITimerController::kRunning);
  dreams->SetLeftTime(3000);
  poison->SetClock(ITimerController::Now() - 1000);
  dreams->SetClock(ITimerController::Now() - 1000);
  Timers()->UpdateSleeping(false);
  EXPECT_EQ(poison->GetLeftTime(), 10000);
  EXPECT_EQ(dreams->GetLeftTime(), 2000);
}

TEST_F(TimersTest, APoisonNeverLengthensTheTimeLeftAndRunsOutIntoTheEnd) {
  struct Case {
    bool running;
    int32_t left;
    int seconds;
    int32_t expected;
  } cases[] = {{false, 0, 30, 30000}, {true, 20000, 30, 20000}, {true, 20000, 10, 10000}};
  OPoisonTimerController* poison = Timers()->GetPoison();
  OTimerIndicator* shown = Indicators()->GetPoison();
  for (const Case& c : cases) {
    poison->SetState(c.running ? ITimerController::kRunning : ITimerController::kStopped);
    poison->SetLeftTime(c.left);
    shown->SetTotalTime(99000);
    shown->SetLeftTime(0);
    poison->StartWithTime(c.seconds);
    EXPECT_EQ(poison->GetState(), ITimerController::kRunning);
    EXPECT_EQ(poison->GetLeftTime(), c.expected) << c.left << " then " << c.seconds;
    // Only a first poisoning starts the indicator over.
    EXPECT_EQ(shown->GetTotalTime(), c.running ? 99000 : c.expected);
    EXPECT_EQ(shown->GetAlpha(), c.running ? 1.0f : 0.0f);
  }

  // The indication at 5 s shows its text, blinking; at the end, the scene
  // of the end and a stopped poison whose indicator keeps its look.
  poison->SetLeftTime(6000);
  Elapse(poison, 2000);
  EXPECT_EQ(shown->GetTextKey(), "poison_text");
  EXPECT_EQ(shown->GetBlinkPeriod(), 3u);
  Elapse(poison, 4000);
  EXPECT_EQ(poison->GetState(), ITimerController::kRunning) << "exactly 0 runs out on the next update";
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "hall");
  Elapse(poison, 16);
  EXPECT_EQ(poison->GetState(), ITimerController::kStopped);
  EXPECT_EQ(OGame::GetInstance()->GetCurrentSceneId(), "the_end");
  EXPECT_EQ(shown->GetAlpha(), 1.0f);
  EXPECT_EQ(shown->GetTextKey(), "poison_text");
}

TEST_F(TimersTest, TheHealthMagicHelpsEachRunningHazardItsOwnWay) {
  struct Case {
    const char* name;
    int index;
    bool running;
    int32_t left;
    const char* hint;  // null: no answer
    int32_t leftAfter;
    int state;
  } cases[] = {
      {"Vethra air: set to its additional time", OTimersManager::kVethra, true, 50000, "air_helped", 30000,
       ITimerController::kRunning},
      {"under water: the additional time added", OTimersManager::kUnderwater, true, 50000, "water_helped",
       80000, ITimerController::kRunning},
      {"poison: cured", OTimersManager::kPoison, true, 50000, "poison_helped", 50000,
       ITimerController::kStopped},
      {"a stopped poison: nothing", OTimersManager::kPoison, false, 50000, nullptr, 50000,
       ITimerController::kStopped},
      {"stopped air: nothing", OTimersManager::kVethra, false, 50000, nullptr, 50000,
       ITimerController::kStopped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < OTimersManager::kControllerCount; ++i) Timers()->GetController(i)->Stop();
    ITimerController* timer = Timers()->GetController(c.index);
    OTimerIndicator* shown = timer->GetIndicator();
    shown->SetTotalTime(60000);
    shown->SetText("some_text");
    timer->SetState(c.running ? ITimerController::kRunning : ITimerController::kStopped);
    timer->SetLeftTime(c.left);
    std::unique_ptr<std::vector<IHint*>> hints(Timers()->ApplyHealthMagic());
    EXPECT_EQ(timer->GetLeftTime(), c.leftAfter);
    EXPECT_EQ(timer->GetState(), c.state);
    if (!c.hint) {
      EXPECT_TRUE(hints->empty());
      EXPECT_EQ(shown->GetTextKey(), "some_text");
      continue;
    }
    ASSERT_EQ(hints->size(), 1u);
    EXPECT_EQ(hints->front()->GetText(), c.hint);
    EXPECT_TRUE(hints->front()->IsDeleteAfterShowing());
    EXPECT_EQ(hints->front()->GetKind(), IHint::kSmallHint);
    EXPECT_EQ(shown->GetTextKey(), "");
    EXPECT_EQ(shown->GetAlpha(), 0.0f);
    // Poison empties its indicator; air shows its full time again, so
    // more air than that reads as none used yet.
    EXPECT_EQ(shown->GetTotalTime(), c.index == OTimersManager::kPoison ? 0 : 60000);
    for (IHint* hint : *hints) delete hint;
  }
  // The answers come Vethra, under water, poison.
  for (int index : {OTimersManager::kPoison, OTimersManager::kUnderwater, OTimersManager::kVethra}) {
    Timers()->GetController(index)->SetState(ITimerController::kRunning);
    Timers()->GetController(index)->SetLeftTime(1000);
  }
  std::unique_ptr<std::vector<IHint*>> hints(Timers()->ApplyHealthMagic());
  ASSERT_EQ(hints->size(), 3u);
  EXPECT_EQ((*hints)[0]->GetText(), "air_helped");
  EXPECT_EQ((*hints)[1]->GetText(), "water_helped");
  EXPECT_EQ((*hints)[2]->GetText(), "poison_helped");
  for (IHint* hint : *hints) delete hint;
}

TEST_F(TimersTest, AirStartsOnArrivalAndStopsOnLeaving) {
  OVethraTimerController* air = Timers()->GetVethra();
  OTimerIndicator* shown = Indicators()->GetVethra();
  air->SetLeftTime(100);  // left from an earlier visit
  Timers()->OnWorldChange("home", "vethra");
  EXPECT_EQ(air->GetState(), ITimerController::kRunning);
  EXPECT_EQ(air->GetLeftTime(), 60000);
  EXPECT_EQ(shown->GetTotalTime(), 60000);
  air->SetLeftTime(100);
  Timers()->OnWorldChange("vethra", "vethra");
  EXPECT_EQ(air->GetLeftTime(), 100) << "within the world nothing changes";
  Timers()->OnWorldChange("vethra", "home");
  EXPECT_EQ(air->GetState(), ITimerController::kStopped);
  EXPECT_EQ(shown->GetTotalTime(), 0);
  OFlagsRegistry::GetInstance()->SetValue("vethra_atmosphere", "true");
  Timers()->OnWorldChange("home", "vethra");
  EXPECT_EQ(air->GetState(), ITimerController::kStopped) << "breathable air";

  // Under water: from the quest book the air left goes on.
  ExpectSceneChanges(Timers()->GetUnderwater(),
                     {{"hall", "pool", 100, ITimerController::kRunning, 60000},
                      {"pool", "basement_quest_book", 500, ITimerController::kStopped, 500},
                      {"basement_quest_book", "pool", 500, ITimerController::kRunning, 500},
                      {"pool", "hall", 500, ITimerController::kStopped, 500}});
}

TEST_F(TimersTest, TheSleepingZoneGivesItsTimeByWhereThePlayerComesFrom) {
  OSleepingZoneTimerController* zone = Timers()->GetSleepingZone();
  ExpectSceneChanges(zone, {
                               {"hall", "glade", 100, ITimerController::kRunning, 20000},
                               {"glade", "meadow", 100, ITimerController::kRunning, 100},
                               {"meadow", "hall", 100, ITimerController::kStopped, 100},
                               {"dream", "glade", 100, ITimerController::kRunning, 5000},
                               {"glade", "basement_quest_book", 300, ITimerController::kStopped, 300},
                               {"basement_quest_book", "glade", 300, ITimerController::kRunning, 300},
                           });
  // Time passes only while the working variable is "true".
  Elapse(zone, 100);
  EXPECT_EQ(zone->GetLeftTime(), 300);
  OFlagsRegistry::GetInstance()->SetValue("zone_on", "true");
  Elapse(zone, 100);
  EXPECT_EQ(zone->GetLeftTime(), 200);
}

TEST_F(TimersTest, AnOverdueScrollRunsItsActionOnEveryCountedUpdate) {
  OGreeceScrollTimerController* scroll = Timers()->GetGreeceScroll();
  scroll->Start();
  EXPECT_EQ(scroll->GetLeftTime(), 10000);
  Elapse(scroll, 10001);
  EXPECT_EQ(Flag("scroll_late"), "true");
  OFlagsRegistry::GetInstance()->SetValue("scroll_late", "false");
  Elapse(scroll, 16);
  EXPECT_EQ(Flag("scroll_late"), "true") << "the second time-out runs the action again";
  EXPECT_EQ(scroll->GetState(), ITimerController::kRunning);
  const std::vector<str>& events = OMissionsManager::GetInstance()->GetAsked();
  EXPECT_EQ(std::count(events.begin(), events.end(), "flag scroll_late=true"), 2);
}

TEST_F(TimersTest, TheSectionKeepsEightControllersAndLoadsWhatItHas) {
  OFlagsRegistry::GetInstance()->SetValue("are_we_invisible", "true");
  Timers()->GetPoison()->StartWithTime(7);
  Timers()->StartInvisibility();
  Elapse(Timers()->GetInvisibility(), 500);
  TXmlNode save("save");
  Timers()->Save(&save);
  Indicators()->Save(&save);
  std::vector<str> written;
  const TXmlNode* section = save.GetChild("timer_controllers");
  ASSERT_TRUE(section);
  for (size_t i = 0; i < section->GetChildCount(); ++i) {
    const TXmlNode* child = section->GetChildAt(i);
    written.push_back(child->GetName() + " " + child->GetAttribute("state") + " " +
                      child->GetAttribute("left_time"));
  }
  EXPECT_EQ(written,
            (std::vector<str>{"poison 0 7000", "vethra 1 60000", "mousetrap 1 0", "under_water 1 60000",
                              "sleeping_zone 1 20000", "greece_scroll 1 10000", "sleeping_hints 1 0",
                              "invisibility 0 1500"}));

  // A fresh game loads it: the invisibility saved with 1500 ms left ends
  // once 1500 ms have counted, on the next update that counts time.
  OTimersManager::DeleteInstance();
  OIndicatorsManager::DeleteInstance();
  Timers()->Load(&save);
  Indicators()->Load(&save);
  ITimerController* invisible = Timers()->GetInvisibility();
  EXPECT_EQ(Indicators()->GetOverlay()->IsActive(), true);
  Elapse(invisible, 1500);
  EXPECT_EQ(Flag("are_we_invisible"), "true");
  Elapse(invisible, 1);
  EXPECT_EQ(Flag("are_we_invisible"), "false");
  EXPECT_FALSE(Indicators()->GetOverlay()->IsActive());
  EXPECT_EQ(Timers()->GetPoison()->GetLeftTime(), 7000);

  // Children missing: those controllers stop with nothing left; a missing
  // section loads nothing.
  std::unique_ptr<TXmlNode> partial(new TXmlNode());
  ASSERT_TRUE(
      partial->ParseString("<save><timer_controllers><poison state='0' left_time='300'/>"
                           "</timer_controllers></save>"));
  Timers()->GetUnderwater()->Start();
  Timers()->Load(partial.get());
  EXPECT_EQ(Timers()->GetPoison()->GetLeftTime(), 300);
  EXPECT_EQ(Timers()->GetUnderwater()->GetState(), ITimerController::kStopped);
  EXPECT_EQ(Timers()->GetUnderwater()->GetLeftTime(), 0);
  TXmlNode empty("save");
  Timers()->Load(&empty);
  EXPECT_EQ(Timers()->GetPoison()->GetLeftTime(), 300);
}

TEST_F(TimersTest, ARecordThatDoesNotReadIsReportedAndLoadsAsAbsent) {
  struct Case {
    const char* attributes;
    int state;
    int left;
    bool reported;
  };
  const Case cases[] = {
      {"state='0' left_time='300'", ITimerController::kRunning, 300, false},
      {"state='1' left_time='0'", ITimerController::kStopped, 0, false},
      {"state='running' left_time='300'", ITimerController::kStopped, 0, true},
      {"state='' left_time='300'", ITimerController::kStopped, 0, true},
      {"left_time='300'", ITimerController::kStopped, 0, true},
      {"state='0'", ITimerController::kStopped, 0, true},
      {"state='0' left_time='-5'", ITimerController::kStopped, 0, true},
      {"state='0' left_time='soon'", ITimerController::kStopped, 0, true},
      {"state='0' left_time='30x'", ITimerController::kStopped, 0, true},
      {"state='7' left_time='300'", ITimerController::kStopped, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    Timers()->GetPoison()->StartWithTime(9);
    std::unique_ptr<TXmlNode> save(new TXmlNode());
    ASSERT_TRUE(save->ParseString(
        str::format("<save><timer_controllers><poison %s/></timer_controllers></save>", c.attributes)));
    size_t before = ReportCount();
    Timers()->Load(save.get());
    EXPECT_EQ(Timers()->GetPoison()->GetState(), c.state);
    EXPECT_EQ(Timers()->GetPoison()->GetLeftTime(), c.left);
    EXPECT_EQ(ReportCount() - before, c.reported ? 1u : 0u);
  }
}

}  // namespace
