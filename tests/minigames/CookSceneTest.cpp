// The kitchen game: its served-dish sums, hint times, bar, the shrinking of
// a large held dish over the clear button, the wait after the third dish
// and the end; and the cook book's turning and its open page.

#include "game/OFlagsRegistry.h"
#include "game/OMinigameRegistry.h"
#include "items/ItemsTestUtil.h"
#include "items/OCookDishItem.h"
#include "minigames/cook/GCookBook.h"
#include "minigames/cook/GCookScene.h"
#include "rules/hints/OSimpleHint.h"
#include "rules/questbook/OQuestBookPage.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "visual/TProgressBar.h"

namespace {

// ---- the served dishes ----

TEST(CookServedDishesTest, TheSumFollowsServingAndClearing) {
  struct Step {
    bool serve;  // else clear
    const char* id;
    int rating;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    int readySum, count;
    bool won;
  } cases[] = {
      {"nothing served", {}, 0, 0, false},
      {"three perfect", {{true, "a", 100}, {true, "b", 100}, {true, "c", 100}}, 300, 3, true},
      {"one short", {{true, "a", 100}, {true, "b", 100}, {true, "c", 90}}, 290, 3, false},
      {"served again replaces", {{true, "a", 50}, {true, "a", 100}}, 100, 1, true},
      {"cleared still counts", {{true, "a", 100}, {true, "b", 100}, {false, "a", 0}}, 100, 2, false},
      {"clearing what was never served", {{false, "x", 0}}, 0, 0, false},
      {"a single dish at 0", {{true, "a", 0}}, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OCookServedDishes served;
    for (const Step& step : c.steps) {
      if (step.serve)
        served.Serve(step.id, step.rating);
      else
        served.Clear(step.id);
    }
    EXPECT_EQ(served.GetReadySum(), c.readySum);
    EXPECT_EQ(served.GetCount(), c.count);
    EXPECT_EQ(served.IsWon(), c.won);
  }
}

TEST(CookHintTimesTest, TheNextHintIsTheFirstAfterTheTime) {
  const std::map<int, str> hints = {{0, "zero"}, {100, "early"}, {250, "late"}};
  struct Case {
    int time, next;
  } cases[] = {{0, 100}, {99, 100}, {100, 250}, {250, -1}};
  for (const Case& c : cases) EXPECT_EQ(GCookScene::NextHintTime(hints, c.time), c.next) << c.time;
  EXPECT_EQ(GCookScene::NextHintTime({}, 0), -1);
}

// ---- the scene ----

class CookSceneTest : public ItemsTest {
 protected:
  void SetUp() override {
    ItemsTest::SetUp();
    ReadyPointer();
    // The mixer and three serving plates share the plate visual, whose
    // layer "good" a finished dish shows.
    str entries;
    for (const char* name : {GCookScene::kMixingPlate, "p1", "p2", "p3"})
      entries += str::format(
          "<%s type='cook_dish'><gvobject name='plate'>anim/</gvobject>"
          "<dishes appear_step='0.5'/></%s>",
          name, name);
    AddToItemsGuide(entries +
                    "<wide_dish type='cook_dish'><gvobject name='item_wide120'>anim/</gvobject></wide_dish>"
                    "<wide_dust type='cook_dust'><gvobject name='item_wide120'>anim/</gvobject></wide_dust>"
                    "<small_dust type='cook_dust'><gvobject name='item_wide60'>anim/</gvobject></small_dust>"
                    "<wide_tool type='cook_tool'><gvobject name='item_wide120'>anim/</gvobject></wide_tool>");
  }
  void TearDown() override {
    if (OMousePointerManager* pointer = GMousePointer::PeekManager()) pointer->DeleteHeldItem();
    kitchen.reset();
    GMousePointer::DestroyInstance();
    DeleteSceneServices();
    OMinigameRegistry::DeleteInstance();
    ItemsTest::TearDown();
  }

  // A cooking scene with the panel's bar and clear button, its mixer and
  // plates, started from the state node and running.
  GCookScene& Start(const str& state) {
    kitchen.reset(new GCookScene());
    GCookScene& scene = *kitchen;
    scene.SetMasksManager(new GMasksManager(&scene));
    scene.GetBackgroundLayer()->AdoptChild(scene.GetMasksManager());
    OItemsManager* items = new OItemsManager(&scene);
    scene.SetItemsManager(items);
    for (const char* name : {GCookScene::kMixingPlate, "p1", "p2", "p3"}) {
      IItem* item = OItemFactory::CreateForScene(name, items);
      item->CreateObject();
      items->AddItem(item);
    }
    bar = new TProgressBar();
    bar->SetName("progress_bar_king_cook");
    scene.AdoptChild(bar);
    TWindow* clear = new TWindow();
    clear->SetName("btn_cook_clear");
    clear->SetWindowPos(174, 552);
    clear->SetWindowSize(56, 40);
    scene.AdoptChild(clear);
    EXPECT_TRUE(stateNode.ParseString(state));
    scene.SetStateNode(&stateNode);
    TWindowStyle style;
    scene.Init(style);
    scene.SetState(GScene::kActive);
    return scene;
  }
  // The mixer holds a finished (stage 2, rated 100) or failed (stage 1,
  // rated 0) dish for the plate, which done serves.
  void Serve(const str& plate, int stage = OCookDishItem::kDone) {
    TXmlNode* saved =
        OMinigameRegistry::GetInstance()->CreateNode("cook")->CreateChild("plates")->CreateChild(
            GCookScene::kMixingPlate);
    saved->SetAttribute("cs", str::format("%d", stage));
    saved->SetAttribute("cl", "good");
    saved->SetAttribute("cdi", plate);
    kitchen->GetMixingPlate()->OnSceneStart();
    OMinigameRegistry::GetInstance()->DeleteNode("cook");
    kitchen->OnDoneClick();
  }
  OCookDishItem* Plate(const char* name) {
    return static_cast<OCookDishItem*>(kitchen->GetItemsManager()->FindItem(name));
  }
  static str Flag(const char* name) { return OFlagsRegistry::GetInstance()->GetValue(name); }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) kitchen->Update();
  }

  static constexpr const char* kState =
      "<state><time_hints cook_time='3600'/><exit_item exit_delay='30'/>"
      "<win_flag flag_name='won' flag_value='yes'/><lose_flag flag_name='lost' flag_value='yes'/></state>";

  std::unique_ptr<GCookScene> kitchen;
  TXmlNode stateNode;
  TProgressBar* bar = nullptr;
};

TEST_F(CookSceneTest, DoneServesTheMixersDishOntoItsPlate) {
  GCookScene& scene = Start(kState);
  ASSERT_NE(scene.GetMixingPlate(), nullptr);
  EXPECT_EQ(bar->GetValue(), 300.0f);
  scene.OnDoneClick();
  EXPECT_EQ(scene.GetServed().GetCount(), 0) << "an empty mixer serves nothing";
  Serve("p1");
  EXPECT_EQ(Plate("p1")->GetStage(), OCookDishItem::kDone) << "the plate shows the dish";
  EXPECT_EQ(Plate("p1")->GetCurrentLayer(), "good");
  EXPECT_EQ(scene.GetMixingPlate()->GetStage(), OCookDishItem::kCooking) << "the mixer is emptied";
  EXPECT_EQ(bar->GetValue(), 200.0f);
  Serve("nowhere");
  EXPECT_EQ(scene.GetServed().GetCount(), 2) << "a dish without its plate is rated all the same";
  EXPECT_EQ(scene.GetMixingPlate()->GetStage(), OCookDishItem::kDone) << "and stays in the mixer";
  EXPECT_EQ(TSoundManager::GetInstance()->GetPlayLog().back().path, "audio/sfx/minigames/cook/done.ogg");
}

TEST_F(CookSceneTest, TheBarShowsWhatIsLeftToPerfection) {
  GCookScene& scene = Start(kState);
  Serve("p1");
  struct Case {
    bool mixer;
    int amount;
    float bar;  // 7: left as it was
  } cases[] = {{true, 33, 167}, {true, 0, 200}, {false, 0, 200}, {false, 50, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    bar->SetValue(7);
    scene.UpdateProgressBar(c.mixer ? scene.GetMixingPlate() : Plate("p2"), c.amount);
    EXPECT_EQ(bar->GetValue(), c.bar);
  }
}

TEST_F(CookSceneTest, ClearEmptiesAHeldServedPlateWhichStillCounts) {
  GCookScene& scene = Start(kState);
  Serve("p1");
  Serve("p2");
  OMousePointerManager* pointer = GMousePointer::PeekManager();
  IItem* plate = Plate("p1");
  scene.GetItemsManager()->RemoveItem(plate);
  pointer->HoldItem(plate);
  scene.OnClearClick();
  EXPECT_EQ(Plate("p1"), nullptr);
  EXPECT_EQ(static_cast<OCookDishItem*>(plate)->GetStage(), OCookDishItem::kCooking);
  EXPECT_EQ(scene.GetServed().GetReadySum(), 100);
  EXPECT_EQ(scene.GetServed().GetCount(), 2);
  EXPECT_EQ(bar->GetValue(), 200.0f);
  EXPECT_EQ(TSoundManager::GetInstance()->GetPlayLog().back().path, "audio/sfx/minigames/cook/clear.ogg");
}

TEST_F(CookSceneTest, ClearTurnsAHeldToolOrDustBack) {
  GCookScene& scene = Start(kState);
  struct Case {
    const char* held;
    const char* after;
    bool sound;
  } cases[] = {
      {"knife", "spoon", true}, {"leek_dust", "none", true}, {"gem", "gem", true}, {"", "none", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.held);
    HoldNew(c.held, scene.GetItemsManager());
    size_t sounds = TSoundManager::GetInstance()->GetPlayLog().size();
    scene.OnClearClick();
    IItem* held = GMousePointer::PeekManager()->GetHeldItem();
    EXPECT_EQ(held ? held->GetName() : str("none"), c.after);
    EXPECT_EQ(TSoundManager::GetInstance()->GetPlayLog().size(), sounds + (c.sound ? 1 : 0));
  }
  EXPECT_NE(scene.GetItemsManager()->FindItem("leek"), nullptr)
      << "the dust gave its leek back to the kitchen";
}

TEST_F(CookSceneTest, ALargeHeldDishOrDustShrinksOverTheClearButton) {
  struct Case {
    const char* item;
    float over;
  } cases[] = {
      {"wide_dish", 80.0f / 120.0f}, {"wide_dust", 80.0f / 120.0f}, {"small_dust", 1}, {"wide_tool", 1}};
  GCookScene& scene = Start(kState);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    IItem* held = HoldNew(c.item, scene.GetItemsManager());
    ASSERT_NE(held, nullptr);
    scene.OnMouseMove(TPoint{200, 570});
    EXPECT_FLOAT_EQ(held->GetObject()->scaling, c.over);
    scene.OnMouseMove(TPoint{400, 300});
    EXPECT_EQ(held->GetObject()->scaling, 1.0f) << "whole again away from the button";
  }
}

TEST_F(CookSceneTest, TimeRunsWhileTheKitchenRunsAndLaterHintsShow) {
  GCookScene& scene = Start(
      "<state><time_hints cook_time='3600'><h time='0' hint='never'/><h time='3' "
      "hint='soon'/></time_hints></state>");
  scene.Pause();
  Tick(5);
  EXPECT_EQ(scene.GetTime(), 0) << "paused: the clock stands";
  scene.Resume();
  Tick(3);
  EXPECT_EQ(scene.GetTime(), 3);
  const std::vector<IHint*>& queue = OHintsManager::GetInstance()->GetQueue();
  ASSERT_EQ(queue.size(), 1u) << "the hint at 0 blocks no later one";
  EXPECT_EQ(static_cast<OSimpleHint*>(queue[0])->GetTextKey(), "soon");
  EXPECT_EQ(scene.GetNextHintTime(), -1);
}

TEST_F(CookSceneTest, AfterTheThirdDishTheWaitRunsWhateverComesAndWins) {
  GCookScene& scene = Start(kState);
  Tick(10);
  Serve("p1");
  Serve("p2");
  Serve("p1");
  EXPECT_FALSE(scene.IsWaiting()) << "the same dish twice counts once";
  Serve("p3");
  EXPECT_TRUE(scene.IsWaiting());
  EXPECT_TRUE(scene.IsPaused());
  Tick(10);
  // A hint closing resumes the scene: the wait goes on, the clock stands,
  // and nothing the player does acts.
  scene.Resume();
  Tick(10);
  EXPECT_EQ(scene.GetExitCountdown(), 20);
  EXPECT_EQ(scene.GetTime(), 10);
  Serve("p2", OCookDishItem::kFailed);
  EXPECT_EQ(scene.GetServed().GetReadySum(), 300) << "done does nothing";
  HoldNew("p1", scene.GetItemsManager());
  scene.OnClearClick();
  EXPECT_EQ(scene.GetServed().GetReadySum(), 300) << "clear does nothing";
  Tick(9);
  EXPECT_FALSE(scene.IsFinished());
  // As a load leaves it: the state the game came back from.
  OMinigameRegistry::GetInstance()->CreateNode("cook");
  Tick(1);
  EXPECT_TRUE(scene.IsFinished());
  EXPECT_EQ(OMinigameRegistry::GetInstance()->GetNode("cook"), nullptr) << "an ended game is not restored";
  EXPECT_EQ(Flag("won"), "yes");
  EXPECT_EQ(Flag("lost"), "null");
  EXPECT_EQ(scene.GetState(), GScene::kFadeOutScene);
}

TEST_F(CookSceneTest, TheTimeLimitLosesOnceAndNothingActsAfter) {
  struct Case {
    const char* cookTime;
    bool lost;
  } cases[] = {{"5", true}, {"0", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cookTime);
    OFlagsRegistry::DeleteInstance();
    GCookScene& scene =
        Start(str::format("<state><time_hints cook_time='%s'/><exit_item exit_delay='30'/>"
                          "<win_flag flag_name='won' flag_value='yes'/>"
                          "<lose_flag flag_name='lost' flag_value='yes'/></state>",
                          c.cookTime));
    Serve("p1");
    Serve("p2");
    Tick(5);
    EXPECT_EQ(scene.IsFinished(), c.lost);
    EXPECT_EQ(Flag("lost"), c.lost ? "yes" : "null");
    if (!c.lost) continue;
    EXPECT_EQ(scene.GetTime(), 5);
    // In the fade-out a third dish neither counts nor ends the game again.
    Serve("p3");
    Tick(40);
    EXPECT_EQ(scene.GetServed().GetCount(), 2);
    EXPECT_EQ(Flag("won"), "null");
  }
}

TEST_F(CookSceneTest, SavedStateComesBackWithoutTheTutorial) {
  GCookScene& scene = Start(kState);
  Serve("p1");
  Tick(4);
  TXmlNode* cook = OMinigameRegistry::GetInstance()->CreateNode("cook");
  scene.WriteState(cook);
  EXPECT_EQ(cook->GetAttribute("readysum"), "100");
  EXPECT_EQ(cook->GetAttribute("curval"), "200.000000");
  GCookScene& again = Start(
      "<state><time_hints cook_time='3600'><h time='10' hint='x'/></time_hints><tutorial "
      "start='0'/></state>");
  EXPECT_EQ(again.GetServed().GetReadySum(), 100);
  EXPECT_EQ(again.GetServed().GetCount(), 1);
  EXPECT_EQ(again.GetTime(), 4);
  EXPECT_EQ(again.GetNextHintTime(), 10) << "the hint its time leads to, whatever was saved";
  EXPECT_EQ(bar->GetValue(), 200.0f);
  EXPECT_EQ(again.GetTutorialCountdown(), -1) << "no tutorial for a restored game";
  OMinigameRegistry::GetInstance()->DeleteNode("cook");
  // Saved in the wait after the third dish: it waits again.
  TXmlNode* dishes = OMinigameRegistry::GetInstance()->CreateNode("cook")->CreateChild("dishes");
  for (const char* plate : {"p1", "p2", "p3"}) {
    TXmlNode* dish = dishes->CreateChild("dish");
    dish->SetAttribute("id", plate);
    dish->SetAttribute("val", "100");
  }
  OMinigameRegistry::GetInstance()->GetNode("cook")->SetAttribute("readysum", "300");
  GCookScene& waiting = Start(kState);
  EXPECT_TRUE(waiting.IsWaiting());
  Tick(30);
  EXPECT_TRUE(waiting.IsFinished());
  EXPECT_EQ(Flag("won"), "yes");
  GCookScene& fresh = Start("<state><tutorial start='40'/></state>");
  EXPECT_EQ(fresh.GetTutorialCountdown(), 40) << "a fresh one has it";
  Tick(40);
  EXPECT_TRUE(fresh.IsPaused()) << "and waits for it, though its fade-in has ended";
  EXPECT_EQ(fresh.GetTime(), 0);
  Tick(1);
  EXPECT_FALSE(fresh.IsPaused()) << "without a game window to show it, it goes on";
}

TEST_F(CookSceneTest, ADamagedSaveIsKeptWithinWhatAGameReaches) {
  // Two dishes served; hints at 10 and 600 of a limit of 3600 ticks.
  struct Case {
    const char *readySum, *val, *time, *next, *curval;
    int keptSum, keptTime, keptNext;
    float keptBar;
  } cases[] = {
      {"200", "100", "40", "600", "100.000000", 200, 40, 600, 100},
      {"0", "100", "40", "600", "100.000000", 200, 40, 600, 100},
      {"2147483647", "500", "2147483647", "-1", "1e30", 200, 3599, -1, 300},
      {"-9", "-3", "-5", "0", "nan", 100, 0, 10, 0},
      {"200", "100", "5000", "600", "100.000000", 200, 3599, -1, 100},
      {"200", "100", "40", "5", "100.000000", 200, 40, 600, 100},
      {"200", "100", "40", "999", "100.000000", 200, 40, 600, 100},
  };
  Start(kState);             // what only the first start reports
  size_t intactReports = 0;  // what starting the fixture reports anyway
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%s %s %s %s", c.readySum, c.val, c.time, c.next));
    OFlagsRegistry::DeleteInstance();
    TXmlNode* cook = OMinigameRegistry::GetInstance()->CreateNode("cook");
    cook->SetAttribute("readysum", c.readySum);
    cook->SetAttribute("time", c.time);
    cook->SetAttribute("next", c.next);
    cook->SetAttribute("curval", c.curval);
    TXmlNode* dishes = cook->CreateChild("dishes");
    for (const char* id : {"p1", "p2"}) {
      TXmlNode* dish = dishes->CreateChild("dish");
      dish->SetAttribute("id", id);
      dish->SetAttribute("val", id == str("p1") ? c.val : "100");
    }
    const size_t reports = ReportCount();
    GCookScene& scene = Start(
        "<state><time_hints cook_time='3600'><h time='10' hint='a'/><h time='600' hint='b'/></time_hints>"
        "<exit_item exit_delay='30'/><win_flag flag_name='won' flag_value='yes'/>"
        "<lose_flag flag_name='lost' flag_value='yes'/></state>");
    if (&c == &cases[0])
      intactReports = ReportCount() - reports;
    else
      EXPECT_EQ(ReportCount() - reports, intactReports + 1) << "one line tells of a damaged save";
    EXPECT_EQ(scene.GetServed().GetReadySum(), c.keptSum) << "the sum of the ratings read";
    EXPECT_EQ(scene.GetTime(), c.keptTime);
    EXPECT_EQ(scene.GetNextHintTime(), c.keptNext);
    EXPECT_EQ(bar->GetValue(), c.keptBar);
    Tick(1);
    // A clock saved at or past the limit loses on the first running tick.
    EXPECT_EQ(scene.IsFinished(), c.keptTime == 3599);
    EXPECT_EQ(Flag("lost"), c.keptTime == 3599 ? "yes" : "null");
    if (scene.IsFinished()) continue;
    Serve("p3");
    EXPECT_EQ(scene.GetServed().GetReadySum(), c.keptSum + 100) << "sums on without overflowing";
    Tick(30);
    EXPECT_EQ(Flag("won"), c.keptSum == 200 ? "yes" : "null") << "the ratings decide, not the saved sum";
  }
}

// ---- the cook book ----

class CookBookTest : public ItemsTest {
 protected:
  // A book of `sheets` sheets (N = 2 ticks) opened at the registry's value,
  // when there is one.
  std::unique_ptr<GCookBook> Book(int sheets, int stored = -100) {
    OGameConfig* config = OGameConfig::GetInstance();
    str pages;
    for (int i = 0; i < sheets; ++i)
      pages +=
          "<page><front><texture folder='anim/'>box.png</texture></front>"
          "<back><texture folder='anim/'>box.png</texture></back></page>";
    TXmlNode parsed;
    EXPECT_TRUE(parsed.ParseString("<cook_book><pages>" + pages +
                                   "</pages><turn_cfg num_turning_ticks='2' max_skew='0.3'/></cook_book>"));
    TXmlNode* screen = config->GetGameScreen();
    if (TXmlNode* old = screen->GetChild("cook_book")) screen->OrphanChild(old);
    screen->AdoptChild(parsed.Clone());
    if (stored != -100) OItemsRegistry::GetInstance()->SetState(GCookBook::kRegistryKey, stored);
    return std::unique_ptr<GCookBook>(new GCookBook());
  }
  static int Stored() {
    int32_t value = -1;
    OItemsRegistry::GetInstance()->GetState(GCookBook::kRegistryKey, 0, &value);
    return value;
  }
};

TEST_F(CookBookTest, TheOpenPageStaysWithinTheSheets) {
  struct Case {
    int sheets, stored, cur;
  } cases[] = {{5, -100, 1}, {5, 3, 3}, {5, 9, 4}, {5, 0, 1}, {5, -7, 1}, {1, 5, 1}, {0, 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%d sheets, stored %d", c.sheets, c.stored));
    OItemsRegistry::DeleteInstance();
    std::unique_ptr<GCookBook> book = Book(c.sheets, c.stored);
    EXPECT_EQ(book->GetCur(), c.cur);
    for (int i = 0; i < book->GetSheetCount(); ++i)
      EXPECT_EQ(book->GetSheet(i)->GetTurnState(), i < c.cur ? OQuestBookPage::kBack : OQuestBookPage::kFront)
          << i;
    book->TurnForward();
    book->TurnBack();
  }
}

TEST_F(CookBookTest, ASheetTurnsOnlyWhenItsNeighbourAllows) {
  enum { kForward, kBack };
  struct Case {
    const char* what;
    int cur;
    int sheet, state;  // a sheet put into a state first (-1: none)
    int turn;
    int after;
  } cases[] = {
      {"forward from the first page", 1, -1, 0, kForward, 2},
      {"forward while the previous sheet turns forward", 2, 1, OQuestBookPage::kTurningForward, kForward, 3},
      {"forward while the previous sheet turns back", 2, 1, OQuestBookPage::kTurningBack, kForward, 2},
      {"forward from a sheet not at rest", 2, 2, OQuestBookPage::kTurningForward, kForward, 2},
      {"forward from the last page", 4, -1, 0, kForward, 4},
      {"back from the first page", 1, -1, 0, kBack, 1},
      {"back", 3, -1, 0, kBack, 2},
      {"back while the next sheet turns back", 3, 3, OQuestBookPage::kTurningBack, kBack, 2},
      {"back while the next sheet turns forward", 3, 3, OQuestBookPage::kTurningForward, kBack, 3},
      {"back onto a sheet not at rest", 3, 2, OQuestBookPage::kTurningBack, kBack, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OItemsRegistry::DeleteInstance();
    std::unique_ptr<GCookBook> book = Book(5, c.cur);
    if (c.sheet >= 0) book->GetSheet(c.sheet)->SetTurnState(c.state);
    if (c.turn == kForward)
      book->TurnForward();
    else
      book->TurnBack();
    EXPECT_EQ(book->GetCur(), c.after);
    EXPECT_EQ(Stored(), c.after) << "the registry keeps the page";
  }
}

TEST_F(CookBookTest, ClicksOnTheHalvesTurnAndEveryClickIsTaken) {
  std::unique_ptr<GCookBook> book = Book(5);
  for (const char* name : {"left_mask", "right_mask"}) {
    TImage* mask = new TImage();
    mask->SetName(name);
    mask->SetWindowPos(name[0] == 'l' ? 0 : 400, 0);
    mask->SetWindowSize(400, 500);
    book->AdoptChild(mask);
  }
  TWindowStyle style;
  book->PostChildrenInit(style);
  EXPECT_EQ(book->GetChildWindow("left_mask"), nullptr) << "out of the tree";
  EXPECT_TRUE(book->OnMouseDown(TPoint{100, 100}));
  EXPECT_EQ(book->GetCur(), 1) << "the first sheet stays turned";
  EXPECT_TRUE(book->OnMouseDown(TPoint{500, 100}));
  EXPECT_TRUE(book->OnMouseDown(TPoint{500, 100}));
  EXPECT_EQ(book->GetCur(), 3) << "a second click turns at once";
  EXPECT_TRUE(book->OnMouseDown(TPoint{500, 550}));
  EXPECT_EQ(book->GetCur(), 3) << "below both masks";
  for (int i = 0; i < 10; ++i) book->AnimateSheets();
  EXPECT_EQ(book->GetSheet(2)->GetTurnState(), OQuestBookPage::kBack);
  EXPECT_TRUE(book->OnMouseDown(TPoint{399, 100}));
  EXPECT_EQ(book->GetCur(), 2);
}
}  // namespace
