// The action factory's kinds, composite lists and their depth limit, and the
// actions that reach the hand, the registry, the timers and the scenes.

#include <memory>
#include <string>

#include "HintTestUtil.h"
#include "game/GMasksManager.h"
#include "game/OMousePointerManager.h"
#include "items/IItem.h"
#include "items/OItemFactory.h"
#include "items/OItemsRegistry.h"
#include "rules/actions/OActionFactory.h"
#include "rules/actions/OCompositeAction.h"
#include "rules/actions/ODeleteItemAction.h"
#include "rules/actions/ODummyAction.h"
#include "rules/actions/OElectricalShakeAction.h"
#include "rules/actions/OExitToMainMenuAction.h"
#include "rules/actions/OFlagAction.h"
#include "rules/actions/OHintAction.h"
#include "rules/actions/OPassageAction.h"
#include "rules/actions/OPoisonAction.h"
#include "rules/actions/ORemoveTutorialBackgroundAction.h"
#include "rules/actions/ORestoreItemAction.h"
#include "rules/actions/OSoundAction.h"
#include "rules/actions/OSubstituteItemAction.h"
#include "rules/actions/OVethraAtmosphereAction.h"
#include "rules/hints/OSimpleHint.h"
#include "rules/timers/OTimerIndicator.h"
#include "sdk/TReport.h"
#include "sdk/TWindowStyle.h"

namespace {
// What the factory made, with the fields the element gave it.
std::string Describe(IAction* a) {
  if (!a) return "none";
  if (auto* x = dynamic_cast<OSubstituteItemAction*>(a)) return "substitute " + x->GetItemName();
  if (dynamic_cast<ODeleteItemAction*>(a)) return "delete_item";
  if (auto* x = dynamic_cast<OCompositeAction*>(a)) return "composite " + x->GetName();
  if (auto* x = dynamic_cast<OHintAction*>(a))
    return "hint " + x->GetTextKey() + " " + x->GetAfterCloseAction() + " " + std::to_string(x->GetKind());
  if (auto* x = dynamic_cast<OBerryPoisonAction*>(a))
    return "berry_poison " + std::to_string(x->GetTimeToDie()) + (x->GetDeleteItem() ? " delete" : " keep");
  if (auto* x = dynamic_cast<OPoisonAction*>(a))
    return "poison " + std::to_string(x->GetTimeToDie()) + (x->GetDeleteItem() ? " delete" : " keep");
  if (auto* x = dynamic_cast<OSoundAction*>(a)) return "sound " + x->GetFile();
  if (dynamic_cast<ODummyAction*>(a)) return "dummy";
  if (auto* x = dynamic_cast<ORestoreItemAction*>(a)) return "restore_item " + x->GetItemName();
  if (dynamic_cast<ORemoveTutorialBackgroundAction*>(a)) return "remove_tutorial_background";
  if (dynamic_cast<OElectricalShakeAction*>(a)) return "electrical_shake";
  if (dynamic_cast<OVethraAtmosphereAction*>(a)) return "vethra_atmosphere";
  if (dynamic_cast<OExitToMainMenuAction*>(a)) return "exit_to_main_menu";
  if (auto* x = dynamic_cast<OPassageAction*>(a)) return "passage " + x->GetLink();
  if (auto* x = dynamic_cast<OFlagAction*>(a)) return "flag " + x->GetName() + "=" + x->GetValue();
  return "?";
}

class ActionTest : public HintTest {
 protected:
  std::unique_ptr<IAction> Make(const str& xml, GMasksManager* owner = nullptr) {
    std::unique_ptr<TXmlNode> node = Parse(xml);
    return std::unique_ptr<IAction>(OActionFactory::CreateAction(node.get(), owner));
  }
  // A pointer with its manager, so that items can be held.
  static GMousePointer* Pointer() {
    GMousePointer* pointer = GMousePointer::GetInstance();
    TWindowStyle style;
    if (!pointer->GetManager()) pointer->Init(style);
    return pointer;
  }
  static str Held() {
    IItem* item = Pointer()->GetHeldItem();
    return item ? item->GetName() : str("(empty)");
  }
  static ITimerController* Timer(int index) { return OTimersManager::GetInstance()->GetController(index); }
};
}  // namespace

TEST_F(ActionTest, TheFactoryChoosesTheKindByTypeThenLinkThenVariable) {
  struct Case {
    const char* xml;
    const char* made;
  } cases[] = {
      {"<a type='substitute' subs_item_id='feather'/>", "substitute feather"},
      {"<a type='delete_item'/>", "delete_item"},
      {"<a type='composite' name='three'/>", "composite three"},
      {"<a type='hint' text='t' after_close_action='mark' hint_type='big'/>", "hint t mark 0"},
      {"<a type='hint' text='t' hint_type='autodelete'/>", "hint t  2"},
      {"<a type='hint' text='t' hint_type='huge'/>", "hint t  1"},
      {"<a type='hint' text='t'/>", "hint t  1"},
      {"<a type='poison' time_to_die='30'/>", "poison 30 delete"},
      {"<a type='poison' time_to_die='30' delete_item='false'/>", "poison 30 keep"},
      {"<a type='poison' time_to_die='30' delete_item='no'/>", "poison 30 delete"},
      {"<a type='berry_poison' time_to_die='12' delete_item='false'/>", "berry_poison 12 keep"},
      {"<a type='sound' file='sounds/door.wav'/>", "sound sounds/door.wav"},
      {"<a type='sound' file='s.wav' link='hall'/>", "sound s.wav"},  // the type decides first
      {"<a type='dummy'/>", "dummy"},
      {"<a type='restore_item' item_id='coin'/>", "restore_item coin"},
      {"<a type='remove_tutorial_background'/>", "remove_tutorial_background"},
      {"<a type='electrical_shake'/>", "electrical_shake"},
      {"<a type='vethra_atmosphere'/>", "vethra_atmosphere"},
      {"<a type='exit_to_main_menu'/>", "exit_to_main_menu"},
      {"<a type='Sound' link='hall'/>", "passage hall"},  // names compare exactly
      {"<a link='hall' flag_name='f' flag_value='v'/>", "passage hall"},
      {"<a flag_name='door' flag_value='open'/>", "flag door=open"},
      {"<a flag_name='door' flag_value=''/>", "none"},
      {"<a flag_value='open'/>", "none"},
      {"<a type='whatever'/>", "none"},
      {"<a/>", "none"},
  };
  GMasksManager owner;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    std::unique_ptr<IAction> action = Make(c.xml, &owner);
    EXPECT_EQ(c.made, Describe(action.get()));
    if (action && !dynamic_cast<ODummyAction*>(action.get())) {
      EXPECT_EQ(&owner, action->GetOwner());
    }
  }
  EXPECT_FALSE(OActionFactory::CreateAction(nullptr, &owner));
  EXPECT_FALSE(Make("<a type='dummy'/>", &owner)->GetOwner());  // made without one
}

TEST_F(ActionTest, CompositesRunTheirListInOrderAndPassTheirOwnerOn) {
  OCompositeAction three("three", nullptr);
  ASSERT_EQ(3u, three.GetActionCount());  // the unknown kind adds nothing
  three.Execute();
  EXPECT_EQ("second", Flag("order"));
  EXPECT_EQ("3", Flag("count"));

  GMasksManager owner;
  OCompositeAction outer("outer", nullptr);
  outer.SetOwner(&owner);
  ASSERT_EQ(2u, outer.GetActionCount());
  for (IAction* child : outer.GetActions()) {
    EXPECT_EQ(&owner, child->GetOwner());
    for (IAction* grandchild : static_cast<OCompositeAction*>(child)->GetActions())
      EXPECT_EQ(&owner, grandchild->GetOwner());
  }

  size_t reports = ReportCount();
  OCompositeAction missing("nowhere", nullptr);
  EXPECT_EQ(0u, missing.GetActionCount());
  missing.Execute();
  EXPECT_EQ(reports + 1, ReportCount());
}

TEST_F(ActionTest, ACompositeThatIncludesItselfIsCutWithAMessage) {
  struct Case {
    const char* name;
    const char* flag;
  } cases[] = {{"self", "self_ran"}, {"ping", "pong_ran"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    size_t reports = ReportCount();
    std::unique_ptr<IAction> action = Make(str("<a type='composite' name='") + c.name + "'/>");
    ASSERT_TRUE(action);
    EXPECT_EQ(reports + 1, ReportCount());
    action->Execute();
    EXPECT_EQ("yes", Flag(c.flag));
  }
  // The cut is local to the list that loops: the same list, nested without
  // a loop, builds in full each time.
  OCompositeAction outer("outer", nullptr);
  EXPECT_EQ(3u, static_cast<OCompositeAction*>(outer.GetActions()[1])->GetActionCount());
}

TEST_F(ActionTest, SubstituteMakesTheNewItemFirstAndKeepsTheHandWhenItCannot) {
  Pointer();
  Make("<a type='substitute' subs_item_id='coin'/>")->Execute();  // empty hand
  EXPECT_EQ("coin", Held());
  Make("<a type='substitute' subs_item_id='feather'/>")->Execute();
  EXPECT_EQ("feather", Held());

  size_t reports = ReportCount();
  Make("<a type='substitute' subs_item_id='unicorn'/>")->Execute();
  EXPECT_EQ("feather", Held());
  EXPECT_EQ(reports + 1, ReportCount());

  Make("<a type='delete_item'/>")->Execute();
  EXPECT_EQ("(empty)", Held());
  Make("<a type='delete_item'/>")->Execute();  // nothing in hand: nothing happens
  EXPECT_EQ("(empty)", Held());
}

TEST_F(ActionTest, AnItemsOwnCompositeThatDeletesTheItemStillRunsToItsEnd) {
  // Deleting the held item deletes its action, the very list that is
  // running; the rest of the list runs all the same.
  IItem* candle = OItemFactory::CreateForPointer("candle", nullptr);
  ASSERT_TRUE(candle);
  Pointer()->HoldItem(candle);
  EXPECT_TRUE(candle->Use(TPoint()));
  EXPECT_EQ("gone", Flag("candle"));
  EXPECT_EQ("coin", Held());
}

TEST_F(ActionTest, PoisonStartsItsTimerAndDeletesTheHeldItemUnlessToldNot) {
  struct Case {
    const char* xml;
    int32_t leftMs;
    bool deletes;
  } cases[] = {
      {"<a type='poison' time_to_die='30'/>", 30000, true},
      {"<a type='poison' time_to_die='30' delete_item='false'/>", 30000, false},
      {"<a type='berry_poison' time_to_die='9'/>", 9000, true},
      {"<a type='berry_poison' time_to_die='9' delete_item='false'/>", 9000, true},
  };
  Pointer();
  ITimerController* poison = Timer(OTimersManager::kPoison);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    poison->Stop();
    Make("<a type='substitute' subs_item_id='coin'/>")->Execute();
    Make(c.xml)->Execute();  // no scene: no background to darken, the rest goes on
    EXPECT_EQ(ITimerController::kRunning, poison->GetState());
    EXPECT_EQ(c.leftMs, poison->GetLeftTime());
    EXPECT_EQ(c.deletes ? "(empty)" : "coin", Held());
    Make("<a type='delete_item'/>")->Execute();
  }
}

TEST_F(ActionTest, RestoreItemPutsTheItemBackIntoItsSceneAndIgnoresUnknownItems) {
  OItemsRegistry::GetInstance()->SetState("coin", 1);
  Make("<a type='restore_item' item_id='coin'/>")->Execute();
  const OItemsRegistry::States* states = OItemsRegistry::GetInstance()->GetStates("coin");
  ASSERT_TRUE(states);
  EXPECT_EQ(0, (*states)[0]);  // stScene
  const std::vector<str>& events = OMissionsManager::GetInstance()->GetAsked();
  EXPECT_NE(events.end(), std::find(events.begin(), events.end(), "item_scene_return coin"));

  size_t reports = ReportCount();
  Make("<a type='restore_item' item_id='unicorn'/>")->Execute();
  EXPECT_FALSE(OItemsRegistry::GetInstance()->GetStates("unicorn"));
  EXPECT_EQ(reports + 1, ReportCount());
}

TEST_F(ActionTest, VariablesHintsAndTheVethraAir) {
  Make("<a flag_name='door' flag_value='open'/>")->Execute();
  EXPECT_EQ("open", Flag("door"));
  const std::vector<str>& events = OMissionsManager::GetInstance()->GetAsked();
  EXPECT_NE(events.end(), std::find(events.begin(), events.end(), "flag door=open"));

  // Each run queues a hint of its own, which the queue owns.
  std::unique_ptr<IAction> hint = Make("<a type='hint' text='coin_text' after_close_action='mark'/>");
  hint->Execute();
  hint->Execute();
  ASSERT_EQ(2u, Hints()->GetQueue().size());
  IHint* queued = Hints()->GetQueue()[0];
  EXPECT_NE(queued, Hints()->GetQueue()[1]);
  EXPECT_TRUE(queued->IsDeleteAfterShowing());
  EXPECT_EQ("mark", queued->GetAfterCloseAction());
  EXPECT_EQ("A coin.", queued->GetText());

  // The breathable air stops the Vethra's air timer and empties its indicator.
  ITimerController* air = Timer(OTimersManager::kVethra);
  OTimerIndicator* airShown = OIndicatorsManager::GetInstance()->GetVethra();
  air->Start();
  airShown->SetTotalTime(30000);
  airShown->SetLeftTime(15000);
  airShown->SetText("coin_text");
  Make("<a type='vethra_atmosphere'/>")->Execute();
  EXPECT_EQ(ITimerController::kStopped, air->GetState());
  EXPECT_EQ(0, airShown->GetTotalTime());
  EXPECT_EQ(0.0f, airShown->GetAlpha());
  EXPECT_EQ("", airShown->GetTextKey());

  // Outside a game these reach nothing and do nothing.
  for (const char* xml :
       {"<a type='exit_to_main_menu'/>", "<a type='electrical_shake'/>", "<a type='sound' file='none'/>",
        "<a type='remove_tutorial_background'/>", "<a type='dummy'/>"})
    Make(xml)->Execute();
}

TEST_F(ActionTest, PassagesPickASleepingRoomAndLeaveTheBookForItsScene) {
  // The sleeping room is never the one the player is in.
  struct Case {
    const char* current;
    uint32_t r;
    const char* room;
  } cases[] = {{"cave", 0, "grotto"},
               {"cave", 1, "hollow"},
               {"cave", 2, "grotto"},
               {"grotto", 1, "hollow"},
               {"grotto", 4000000001u, "hollow"},
               {"attic", 5, "hollow"},
               {"attic", 3, "cave"}};
  for (const Case& c : cases)
    EXPECT_EQ(c.room, OPassageAction::PickSleepingRoom(c.current, c.r)) << c.current << " " << c.r;
  // No other sleeping room: none, rather than a division by zero.
  OGameConfig::GetInstance()->GetTimerControllerCfg()->RemoveChildren();
  EXPECT_EQ("", OPassageAction::PickSleepingRoom("cave", 7));
  OGame::GetInstance();  // its own first-use messages are not the passage's
  size_t reports = ReportCount();
  Make("<a link='random_sleeping_zone_room'/>")->Execute();
  EXPECT_EQ(reports + 1, ReportCount());

  // "exit_from_book" restores the timers from the snapshot and forgets both
  // variables.
  OFlagsRegistry* flags = OFlagsRegistry::GetInstance();
  flags->SetValue("timer_controllers_snapshot",
                  "<snapshot><timer_controllers><poison state='0' left_time='1234'/></timer_controllers>"
                  "<indicators><poison iit='5000' alpha='75' text='coin_text' blink_ticks='3'/></indicators>"
                  "</snapshot>");
  flags->SetValue("exit_from_book_scene", "cave");
  Make("<a link='exit_from_book'/>")->Execute();
  EXPECT_EQ("", Flag("timer_controllers_snapshot"));
  EXPECT_EQ("", Flag("exit_from_book_scene"));
  EXPECT_EQ(ITimerController::kRunning, Timer(OTimersManager::kPoison)->GetState());
  EXPECT_EQ(1234, Timer(OTimersManager::kPoison)->GetLeftTime());
  EXPECT_EQ(5000, OIndicatorsManager::GetInstance()->GetPoison()->GetTotalTime());
  EXPECT_EQ("coin_text", OIndicatorsManager::GetInstance()->GetPoison()->GetTextKey());
}
