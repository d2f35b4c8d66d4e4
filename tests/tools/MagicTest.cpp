// The magic registry (drinks, saving and loading), the magic buttons'
// refill, and the magic control's unlocks, hiding, saving and loading.

#include "PanelTestUtil.h"
#include "game/OGameConfig.h"
#include "sdk/TImage.h"
#include "sdk/TReport.h"
#include "sdk/TXmlNode.h"
#include "tools/magic/GMagicButton.h"
#include "tools/magic/GMagicControl.h"
#include "tools/panel/IPanelClient.h"
#include "visual/GButton.h"

namespace {

class MagicTest : public PanelTest {
 protected:
  static OMagicRegistry* Registry() { return OMagicRegistry::GetInstance(); }
  static std::unique_ptr<TXmlNode> Parse(const str& text) {
    std::unique_ptr<TXmlNode> node(new TXmlNode());
    EXPECT_TRUE(node->ParseString(text));
    return node;
  }
};

TEST_F(MagicTest, DrinksEarnTheMagicAtItsCountAndNoneAfter) {
  struct Case {
    const char* magic;
    int drinks;
    int value;
    int counted;
  } cases[] = {
      {"fire", 2, 0, 2},                             // three earn it
      {"fire", 3, 1, 3},         {"fire", 4, 1, 3},  // counted no more once earned
      {"invisibility", 1, 1, 1},                     // no count given: the first drink
      {"rainbow", 1, 1, 1},                          // not in the guide at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%s x%d", c.magic, c.drinks));
    OMagicRegistry::DeleteInstance();
    for (int i = 0; i < c.drinks; ++i) Registry()->OnFlaskUsed(c.magic);
    EXPECT_EQ(Registry()->GetValue(c.magic), c.value);
    EXPECT_EQ(Registry()->GetFlaskUsage(c.magic), c.counted);
  }
}

TEST_F(MagicTest, LoadingKeepsSavedValuesAndUnlocksWhatEnoughDrinksEarned) {
  struct Case {
    const char* section;
    int health;
    int drinks;
  } cases[] = {
      {"<data><health value='2'/></data>", 2, 0},
      // Enough drinks unlock it whatever was saved.
      {"<data/><flask_usage><health value='2'/></flask_usage>", 2, 2},
      {"<data><health value='1'/></data><flask_usage><health value='3'/></flask_usage>", 2, 3},
      // Below the threshold the saved value stands: a mission's unlock after
      // one drink is not lost.
      {"<data><health value='2'/></data><flask_usage><health value='1'/></flask_usage>", 2, 1},
      {"<data/><flask_usage><health value='1'/></flask_usage>", 0, 1},
      {"", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    Registry()->SetValue("home", 2);
    TXmlNode save("save");
    save.AdoptChild(Parse(str("<magic_registry>") + c.section + "</magic_registry>"));
    Registry()->Load(&save);
    EXPECT_EQ(Registry()->GetValue("health"), c.health);
    EXPECT_EQ(Registry()->GetFlaskUsage("health"), c.drinks);
    EXPECT_EQ(Registry()->GetValue("home"), 0) << "loading replaces what was there";
  }
}

TEST_F(MagicTest, SavesValuesAndDrinksAsElementsAndSkipsKeysThatAreNoNames) {
  Registry()->SetValue("fire", 2);
  Registry()->SetValue("far away", 1);
  Registry()->OnFlaskUsed("health");
  TXmlNode save("save");
  Registry()->Save(&save);
  TXmlNode* section = save.GetChild("magic_registry");
  ASSERT_TRUE(section);
  EXPECT_EQ(section->GetChild("data")->GetChildCount(), 1u);
  EXPECT_EQ(section->GetChild("data")->GetChild("fire")->GetAttribute("value"), "2");
  EXPECT_EQ(section->GetChild("flask_usage")->GetChild("health")->GetAttribute("value"), "1");
  EXPECT_TRUE(save.RoundTrips());
}

TEST_F(MagicTest, AButtonRefillsFromItsBottomAndIsUsableTheTickAfterItIsFull) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  GMagicControl* control = panel->GetMagicControl();
  GMagicButton* fire = control->GetMagicButton(0);  // three ticks; 60 high at (100, 10)
  ASSERT_EQ(fire->GetRestoreTicks(), 3);
  control->SetCurrentMagic(0);
  fire->SetLocked(false);
  fire->StartRestore();
  struct Tick {
    int height, top, pictureTop;
    bool ready;
  } ticks[] = {
      {20, 50, -40, false},
      {40, 30, -20, false},
      {60, 10, 0, false},
      {60, 10, 0, true},
  };
  for (const Tick& t : ticks) {
    fire->Tick();
    EXPECT_EQ(fire->GetHeight(), t.height);
    EXPECT_EQ(fire->GetY(), t.top);
    EXPECT_EQ(fire->GetDisabledImage()->GetY(), t.pictureTop);
    EXPECT_EQ(fire->GetMagicState() == GMagicButton::kReady, t.ready);
    EXPECT_EQ(fire->IsEnabled(), t.ready);
  }
  // Without a refill time: usable on the first tick.
  GMagicButton* invisibility = control->GetMagicButton(2);
  invisibility->SetLocked(false);
  invisibility->StartRestore();
  invisibility->Tick();
  EXPECT_EQ(invisibility->GetMagicState(), GMagicButton::kReady);
  // A locked button does not refill.
  fire->StartRestore();
  fire->SetLocked(true);
  fire->Tick();
  EXPECT_EQ(fire->GetRestoreCounter(), 0);
}

// A scene that allows magic or not.
class MagicClient : public IPanelClient {
 public:
  bool IsMagicEnabled() override { return enabled; }
  void OnThroughTimeMagic() override { ++journeys; }
  void OnThroughSpaceMagic() override { ++journeys; }
  bool enabled = true;
  int journeys = 0;
};

TEST_F(MagicTest, ASelectorShowsItsMagicOnlyWhenTheControlIsFreeAndTheSceneAllowsMagic) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  GMagicControl* control = panel->GetMagicControl();
  MagicClient scene;
  struct Case {
    bool client, enabled, locked;
    int current;
  } cases[] = {
      {false, true, false, -1},  // between scenes
      {true, false, false, -1},
      {true, true, true, -1},
      {true, true, false, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("client %d enabled %d locked %d", int(c.client), int(c.enabled), int(c.locked)));
    control->SetCurrentMagic(-1);
    panel->SetClient(c.client ? &scene : nullptr);
    scene.enabled = c.enabled;
    if (c.locked) panel->Lock();
    control->onRainbowSmallButtonClick();
    if (c.locked) panel->Unlock();
    EXPECT_EQ(control->GetCurrentMagic(), c.current);
    EXPECT_EQ(control->GetPicture(3)->GetParent() != nullptr, c.current == 3);
  }
  panel->SetClient(nullptr);
}

TEST_F(MagicTest, AnUnlockedMagicShowsAfterTheDelayAndBecomesTheShownOne) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  Registry()->SetListener(panel.get());
  GMagicControl* control = panel->GetMagicControl();
  control->SetCurrentMagic(0);
  Registry()->SetValue("health", OMagicRegistry::kUnlocked);
  Registry()->SetValue("home", OMagicRegistry::kUnlocked);  // a world: nothing
  ASSERT_EQ(control->GetPendingUnlocks().size(), 1u);
  size_t seen = Events().size();
  for (int i = 0; i < 2; ++i) control->Tick();
  EXPECT_EQ(control->GetSmallButton(1)->GetParent(), nullptr) << "the delay is three ticks";
  control->Tick();
  EXPECT_EQ(control->GetSmallButton(1)->GetParent(), control);
  EXPECT_EQ(control->GetMagicButton(1)->GetParent(), control);
  EXPECT_EQ(control->GetMagicButton(0)->GetParent(), nullptr) << "health is shown in fire's place";
  EXPECT_EQ(control->GetCurrentMagic(), 0) << "though the chosen index stays";
  EXPECT_TRUE(control->GetMagicButton(1)->IsEnabled());
  EXPECT_EQ(EventsSince(seen), "magic_button_unlock health");
  Registry()->SetValue("health", OMagicRegistry::kLocked);
  EXPECT_EQ(control->GetSmallButton(1)->GetParent(), nullptr);
  EXPECT_TRUE(control->GetMagicButton(1)->IsLocked());
  Registry()->SetListener(nullptr);
}

TEST_F(MagicTest, SavingCarriesOutPendingUnlocksAndLoadingReadsSixButtonsOnly) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  Registry()->SetListener(panel.get());
  GMagicControl* control = panel->GetMagicControl();
  Registry()->SetValue("fire", OMagicRegistry::kUnlocked);
  TXmlNode saved("panel");
  control->Save(&saved);
  EXPECT_TRUE(control->GetPendingUnlocks().empty());
  TXmlNode* buttons = saved.GetChild("magic_control")->GetChild("buttons");
  ASSERT_EQ(buttons->GetChildCount(), 6u);
  TXmlNode* fire = buttons->GetChildAt(0);
  EXPECT_EQ(fire->GetAttribute("isSmall") + fire->GetAttribute("isMagic") + fire->GetAttribute("magicState") +
                fire->GetAttribute("locked"),
            "truetrue10");

  // A seventh button is no magic's. Health comes back refilling: its saved
  // count, then one tick, with the lock it had before (here: unlocked).
  std::unique_ptr<TXmlNode> load = Parse(
      "<panel><magic_control><buttons>"
      "<button isSmall='false'/>"
      "<button isSmall='true' isMagic='true' magicState='0' magicTimerVal='2' locked='0'/>"
      "<button/><button/><button/><button/>"
      "<button isSmall='true' isMagic='true' magicState='1' locked='0'/>"
      "</buttons></magic_control></panel>");
  Registry()->SetValue("invisibility", OMagicRegistry::kUnlocked);
  GMagicButton* health = control->GetMagicButton(1);  // six ticks, 60 high
  health->SetLocked(false);
  control->Load(load.get());
  EXPECT_TRUE(control->GetPendingUnlocks().empty());
  std::vector<TWindow*> shown = control->GetChildren();
  std::vector<TWindow*> expected = {control->GetSmallButton(1), control->GetPicture(1), health};
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(health->GetRestoreCounter(), 3);
  EXPECT_EQ(health->GetHeight(), 30);
  EXPECT_FALSE(health->IsLocked());
  Registry()->SetListener(nullptr);
}

TEST_F(MagicTest, AGuideWithNoMagicIsReported) {
  size_t before = ReportCount();
  Build();
  EXPECT_EQ(ReportCount(), before) << "a guide of three magics";
  TXmlNode* guide = OGameConfig::GetInstance()->GetMagicCfg();
  guide->RemoveChildren();
  Build();
  EXPECT_EQ(ReportCount(), before + 1) << "an empty guide";
}

TEST_F(MagicTest, SavedNumbersOutOfRangeAreReportedAndHeldToTheirRange) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  GMagicControl* control = panel->GetMagicControl();
  GMagicButton* health = control->GetMagicButton(1);  // six ticks to refill
  struct Case {
    const char* attributes;
    int state;
    int counter;  // after the tick the load gives
    size_t reports;
  } cases[] = {
      {"magicState='0' magicTimerVal='2'", GMagicButton::kEmptied, 3, 0},
      // A filled button counts one past its six ticks, and a game saves it so.
      {"magicState='0' magicTimerVal='7'", GMagicButton::kReady, 8, 0},
      {"magicState='0' magicTimerVal='2147483647'", GMagicButton::kReady, 8, 1},
      {"magicState='0' magicTimerVal='-40'", GMagicButton::kEmptied, 1, 1},
      {"magicState='7' magicTimerVal='2'", GMagicButton::kReady, 2, 1},
      {"magicState='-2147483648' magicTimerVal='99999999999'", GMagicButton::kReady, 8, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    std::unique_ptr<TXmlNode> load = Parse(str::format(
        "<panel><magic_control><buttons><button/><button isMagic='true' locked='0' %s/></buttons>"
        "</magic_control></panel>",
        c.attributes));
    health->SetLocked(false);
    size_t before = ReportCount();
    control->Load(load.get());
    EXPECT_EQ(ReportCount() - before, c.reports);
    EXPECT_EQ(health->GetMagicState(), c.state);
    EXPECT_EQ(health->GetRestoreCounter(), c.counter);
  }
}

TEST_F(MagicTest, ACastIsRefusedWhileLockedOrDisallowedAndOnlyHealthWorksAsleep) {
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  GMagicControl* control = panel->GetMagicControl();
  MagicClient scene;
  struct Case {
    bool client, enabled, locked, asleep;
    const char* magic;
    bool cast;
  } cases[] = {
      {false, true, false, false, "through_time", false},  // between scenes
      {true, true, true, false, "through_time", false},   {true, true, true, false, "health", false},
      {true, false, false, false, "through_time", false}, {true, false, false, false, "health", false},
      {true, true, false, true, "through_time", false},   {true, true, false, true, "health", true},
      {true, true, false, false, "through_time", true},   {true, true, false, false, "health", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(str::format("%s client %d enabled %d locked %d asleep %d", c.magic, int(c.client),
                             int(c.enabled), int(c.locked), int(c.asleep)));
    int index = GMagicControl::IndexOf(c.magic);
    GMagicButton* button = control->GetMagicButton(index);
    ASSERT_NE(button, nullptr);
    button->SetLocked(false);
    button->ShowReady();
    panel->SetClient(c.client ? &scene : nullptr);
    scene.enabled = c.enabled;
    scene.journeys = 0;
    OFlagsRegistry::GetInstance()->SetValue("are_we_sleeping", c.asleep ? "true" : "false");
    if (c.locked) panel->Lock();
    if (index == 1)
      control->onHealthMagicButtonClick();
    else
      control->onThroughTimeMagicButtonClick();
    if (c.locked) panel->Unlock();
    EXPECT_EQ(button->GetMagicState(), c.cast ? GMagicButton::kEmptied : GMagicButton::kReady);
    EXPECT_EQ(scene.journeys, c.cast && index == 5 ? 1 : 0);
    if (index == 1) {
      EXPECT_EQ(OFlagsRegistry::GetInstance()->GetValue("are_we_sleeping"), "false") << c.cast;
    }
  }
  panel->SetClient(nullptr);
}

TEST_F(MagicTest, FireWithoutItsItemInTheGuideIsRefusedAndTheHeldItemStays) {
  ReadyPointer();
  std::unique_ptr<GGamePanel> panel = Build();
  panel->SetKind(0);
  MagicClient scene;
  panel->SetClient(&scene);
  GMagicButton* fire = panel->GetMagicControl()->GetMagicButton(0);
  fire->SetLocked(false);
  fire->ShowReady();
  IItem* apple = Give("apple");
  ASSERT_NE(apple, nullptr);
  panel->GetMagicControl()->onFireMagicButtonClick();
  EXPECT_EQ(Held(), apple);
  EXPECT_EQ(fire->GetMagicState(), GMagicButton::kReady);
  EXPECT_NE(OFlagsRegistry::GetInstance()->GetValue("__fire_magic_saved_item"), "apple");
  panel->SetClient(nullptr);
}

}  // namespace
